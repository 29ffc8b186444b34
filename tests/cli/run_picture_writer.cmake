# quarnis-calc loads Qt only through its picture writer module, and only for --plot: the
# program links no Qt library; without the module --plot fails on its own (the table is still
# printed) and formulas are evaluated as ever; installed, the program finds its module.
# Invoked with -DCLI=<quarnis-calc> -DBUILD=<build tree> -DWORK=<scratch directory>. --plot
# from the build tree is run by cli_conventions.
set(square --tabulate --def t*t --steps 2)
set(table "[0]:(0,0)\n[1]:(5,25)\n[2]:(10,100)\n")

# run(NAME PROGRAM ARGS...): sets out, err and rc.
macro(run name program)
  execute_process(COMMAND ${program} ${ARGN}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  set(ran "${name}: ${program} ${ARGN}\nexit ${rc}\nstdout:\n${out}\nstderr:\n${err}")
endmacro()

execute_process(COMMAND ldd ${CLI} OUTPUT_VARIABLE libraries RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR libraries MATCHES "libQt")
  message(SEND_ERROR "quarnis-calc loads Qt at start (ldd exit ${rc}):\n${libraries}")
endif()

# The program alone, with neither the module beside it nor an installation's directories.
file(REMOVE_RECURSE "${WORK}/alone")
file(COPY ${CLI} DESTINATION "${WORK}/alone/bin")
set(alone "${WORK}/alone/bin/quarnis-calc")
run(alone_formula ${alone} 1+1)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "2\n" OR NOT err STREQUAL "")
  message(SEND_ERROR "${ran}")
endif()
run(alone_plot ${alone} ${square} --plot "${WORK}/alone/square.png")
set(alone_dirs "${WORK}/alone/bin and ${WORK}/alone/lib/([a-z0-9_-]+/)?quarnis")
if(NOT rc EQUAL 1 OR NOT out STREQUAL table OR EXISTS "${WORK}/alone/square.png" OR NOT err
    MATCHES "^quarnis-calc: cannot write the picture to '${WORK}/alone/square.png': quarnis-picture-writer.so is missing from ${alone_dirs}\n$")
  message(SEND_ERROR "${ran}")
endif()
# A module that cannot be loaded is named with the loader's reason.
file(WRITE "${WORK}/alone/bin/quarnis-picture-writer.so" "not a module")
run(alone_broken_module ${alone} ${square} -q --plot "${WORK}/alone/square.png")
if(NOT rc EQUAL 1 OR NOT out STREQUAL "" OR EXISTS "${WORK}/alone/square.png" OR NOT err MATCHES
    "^quarnis-calc: cannot write the picture to '[^']*': [^\n]*quarnis-picture-writer.so: [^\n]+\n$")
  message(SEND_ERROR "${ran}")
endif()

# Installed under another prefix, the program finds the module relative to itself.
file(REMOVE_RECURSE "${WORK}/installed")
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix "${WORK}/installed"
    --component quarnis-calc
  OUTPUT_VARIABLE log ERROR_VARIABLE log RESULT_VARIABLE rc)
file(GLOB_RECURSE modules "${WORK}/installed/*/quarnis-picture-writer.so")
if(NOT rc EQUAL 0 OR NOT modules MATCHES "/installed/lib/([a-z0-9_-]+/)?quarnis/[^/]+$")
  message(SEND_ERROR "cmake --install: exit ${rc}, module at '${modules}'\n${log}")
endif()
run(installed_plot "${WORK}/installed/bin/quarnis-calc" ${square} -q --plot "${WORK}/installed/square.svg")
set(head "")
if(EXISTS "${WORK}/installed/square.svg")
  file(READ "${WORK}/installed/square.svg" head LIMIT 5 HEX)
endif()
if(NOT rc EQUAL 0 OR NOT err STREQUAL "" OR NOT head STREQUAL "3c3f786d6c") # <?xml
  message(SEND_ERROR "${ran}")
endif()
