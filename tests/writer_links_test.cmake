cmake_minimum_required(VERSION 3.25)
# Fails unless the writer's libraries (WRITER, comma-separated) hold no parser target, while
# the tool's (TOOL) do, which shows that the list was gathered at all.
string(REPLACE "," ";" writer "${WRITER}")
string(REPLACE "," ";" tool "${TOOL}")
if("argparse" IN_LIST writer OR NOT "argparse" IN_LIST tool)
    message(FATAL_ERROR "the writer links ${WRITER}; the tool links ${TOOL}")
endif()
