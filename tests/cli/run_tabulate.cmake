# Runs quarnis-calc --tabulate on a few panels and compares standard output, standard error
# and the exit code. Invoked with -DCLI=<quarnis-calc>.
function(expect name want_rc want_out want_err)
  execute_process(COMMAND ${CLI} --tabulate ${ARGN}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL want_rc OR NOT out STREQUAL want_out OR NOT err STREQUAL want_err)
    message(SEND_ERROR "${name}: exit ${rc}\nstdout:\n${out}\nstderr:\n${err}")
  endif()
endfunction()

expect(square 0 "[0]:(0,0)\n[1]:(2.5,6.25)\n[2]:(5,25)\n[3]:(7.5,56.25)\n[4]:(10,100)\n" ""
  --def t*t --steps 4)
expect(constants_in_order 0 "[0]:(2.5,6)\n[1]:(2.5,6)\n" "" --def t*k+c2 --const k=2 --const c2=1 --from 2.5
  --to 2.5 --steps 1 -d 9)
expect(failed_points 1 "[0]:(-2,Yazım Hatası...)\n[1]:(0,Yazım Hatası...)\n[2]:(2,4)\n" ""
  --def t^2 --from -2 --to 2 --steps 2)
expect(tens 0 "[0]:(20,20)\n[1]:(20,20)\n" "" --from 15 --to 25 --steps 1 -d -1)
expect(turkish_variable 0 "[0]:(1,2)\n[1]:(2,4)\n" "" --var şey --def ş*2 --from 1 --to 2
  --steps 1)
expect(comma 1 "" "quarnis-calc: '0,5' is not a valid floating point value\n" --from 0,5)
set(steps_range "quarnis-calc: Örnekleme Adeti 1 ile 65535 arasında olmalıdır\n")
expect(steps_zero 1 "" "${steps_range}" --steps 0)
expect(steps_wrap 1 "" "${steps_range}" --steps 65537)
expect(steps_text 1 "" "quarnis-calc: ''1e3'' is not a valid integer value\n" --steps 1e3)
expect(overflow_midway 1 "[0]:(700,1E304)\n[1]:(705,1.5E306)\n"
  "quarnis-calc: Floating point overflow\n" --def "EXP(t)" --from 700 --to 720 --steps 4)
expect(bad_option 2 ""
  "quarnis-calc: unrecognized option '--colour'\nTry 'quarnis-calc --help' for more information.\n"
  --colour red)

# Constant names that are digits are replaced again in every inserted number; a point whose
# formula would outgrow the bound fails with its own text instead of exhausting memory.
string(REPEAT "t" 32767 many_t)
expect(formula_too_long 1
  "[0]:(1.11111111111111E300,Formül çok uzun...)\n[1]:(1.11111111111111E300,Formül çok uzun...)\n" ""
  --from 1.11111111111111E300 --to 1.11111111111111E300 --const 1=1.11111111111111E300
  --const 11=1.11111111111111E300 --const E3=1E300 --def ${many_t} --steps 1)

# A tabulation of more than a second (600 points of about 5 ms each) shows its progress line
# on a terminal only.
string(REPEAT "+SIN(t)" 10000 slow)
execute_process(COMMAND ${CLI} --tabulate --def "SIN(t)${slow}" --steps 600
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT err STREQUAL "" OR NOT out MATCHES "\\[600\\]:\\(10,")
  message(SEND_ERROR "slow_piped: exit ${rc}\nstderr:\n${err}")
endif()
# The terminal's run must last well over a second however fast the build: an optimised one
# gets four times the points.
if(CONFIG MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  set(terminal_steps 2400)
else()
  set(terminal_steps 600)
endif()
math(EXPR terminal_points "${terminal_steps} + 1")
find_program(SCRIPT script)
if(SCRIPT)
  execute_process(
    COMMAND ${SCRIPT} -qec "'${CLI}' --tabulate --def 'SIN(t)${slow}' --steps ${terminal_steps} >/dev/null"
      /dev/null
    OUTPUT_VARIABLE tty RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT tty MATCHES "\rtabulating: [0-9]+ of ${terminal_points} points")
    message(SEND_ERROR "slow_terminal: exit ${rc}\nterminal:\n${tty}")
  endif()
endif()
