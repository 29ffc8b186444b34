# The command-line conventions of quarnis-calc: each row is a command line (and standard
# input) with the standard output, standard error and exit status it must give.
# Invoked with -DCLI=<quarnis-calc> -DWORK=<scratch directory> -DVERSION=<project version>.
#
#   cli(NAME STATUS n [IN text] [OUT text | OUT_MATCH regex] [ERR text | ERR_MATCH regex]
#       ARGS arguments...)
# OUT and ERR default to empty.
set(try "Try 'quarnis-calc --help' for more information.\n")
set(failures 0)

function(cli name)
  cmake_parse_arguments(R "" "STATUS;IN;OUT;OUT_MATCH;ERR;ERR_MATCH" "ARGS" ${ARGN})
  set(input "${WORK}/${name}.in")
  file(WRITE "${input}" "${R_IN}")
  execute_process(COMMAND ${CLI} ${R_ARGS} INPUT_FILE "${input}"
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  set(ok TRUE)
  if(NOT rc STREQUAL R_STATUS)
    set(ok FALSE)
  endif()
  if(DEFINED R_OUT_MATCH)
    if(NOT out MATCHES "${R_OUT_MATCH}")
      set(ok FALSE)
    endif()
  elseif(NOT out STREQUAL "${R_OUT}")
    set(ok FALSE)
  endif()
  if(DEFINED R_ERR_MATCH)
    if(NOT err MATCHES "${R_ERR_MATCH}")
      set(ok FALSE)
    endif()
  elseif(NOT err STREQUAL "${R_ERR}")
    set(ok FALSE)
  endif()
  if(NOT ok)
    message(SEND_ERROR "${name}: quarnis-calc ${R_ARGS}\nexit ${rc} (want ${R_STATUS})\n"
      "stdout:\n${out}\nstderr:\n${err}")
  endif()
endfunction()

# Help and version: standard output, status 0.
cli(help_short STATUS 0 OUT_MATCH "^Usage: quarnis-calc .*-d, --decimals=N.*-1 \\(the default\\)"
  ARGS -h)
cli(help_long STATUS 0 OUT_MATCH "^Usage: quarnis-calc .*-1.*round to tens.*Exit status"
  ARGS --help 1+1)
cli(version_long STATUS 0 OUT "quarnis-calc ${VERSION}\n" ARGS --version)
cli(version_short STATUS 0 OUT "quarnis-calc ${VERSION}\n" ARGS -v)

# A wrong command line names the problem and points to --help: status 2, nothing evaluated.
cli(unknown_long STATUS 2 ERR "quarnis-calc: unrecognized option '--bogus'\n${try}"
  ARGS 1+1 --bogus)
cli(unknown_short STATUS 2 ERR "quarnis-calc: invalid option -- 'x'\n${try}" ARGS -x 1+1)
cli(minus_formula STATUS 2 ERR "quarnis-calc: invalid option -- '2'\n${try}" ARGS -2+3)
cli(missing_value STATUS 2 ERR "quarnis-calc: option requires an argument -- 'd'\n${try}"
  ARGS 1+1 -d)
cli(value_for_flag STATUS 2 ERR "quarnis-calc: option '--help' doesn't allow an argument\n${try}"
  ARGS --help=1)
cli(ambiguous STATUS 2 ERR_MATCH "^quarnis-calc: option '--t' is ambiguous.*\n${try}$"
  ARGS --t)
cli(decimals_too_many STATUS 2 ERR "quarnis-calc: decimals must be from -1 to 9, not '12'\n${try}"
  ARGS -d 12 1/3)
cli(decimals_below STATUS 2 ERR "quarnis-calc: decimals must be from -1 to 9, not '-2'\n${try}"
  ARGS -d-2 1/3)
cli(decimals_text STATUS 2 ERR "quarnis-calc: decimals must be from -1 to 9, not 'x'\n${try}"
  ARGS --decimals=x 1/3)

# Decimals in every spelling; options may follow the formulas.
cli(decimals_separate STATUS 0 OUT "0.67\n" ARGS -d 2 2/3)
cli(decimals_attached STATUS 0 OUT "0.67\n" ARGS -d2 2/3)
cli(decimals_long STATUS 0 OUT "0.67\n" ARGS --decimals=2 2/3)
cli(decimals_after STATUS 0 OUT "0.67\n0.33\n" ARGS 2/3 1/3 -d 2)
cli(unrounded STATUS 0 OUT "0.666666667\n" ARGS -d -1 2/3)
cli(dash_dash STATUS 0 OUT "1\n-1.5\n" ARGS -d 2 -- -2+3 -2.5+1)
cli(blank_before_minus STATUS 0 OUT "1\n" ARGS " -2+3")
cli(lone_minus_is_formula STATUS 0 OUT "0\n" ARGS -)

# Status 1 when a line shows an error text; every formula still prints its one line in order.
cli(all_numbers STATUS 0 OUT "2\n0.333333333\n" ARGS 1+1 1/3)
cli(parenthesis STATUS 1 OUT "0.333333333\nGeçersiz parantez...\n5\n" ARGS 1/3 "(1+2" 2+3)
cli(syntax STATUS 1 OUT "Yazım hatası...\n" ARGS "2+3#4")
cli(evaluation STATUS 1 OUT "Yazım Hatası...\n2\n" ARGS 1/0 1+1)
cli(rounding_overflow STATUS 1 OUT "Floating point overflow\n1\n" ARGS -d 2 1E4931 1)
cli(stdin_numbers STATUS 0 IN "1+1\r\n2*3\n" OUT "2\n6\n")
cli(stdin_error STATUS 1 IN "1+1\n(2\n3\n" OUT "2\nGeçersiz parantez...\n3\n")
cli(stdin_empty STATUS 0 IN "" OUT "")

# --tabulate: refusals carry the program's name; its options belong to it alone.
cli(tabulate_refusal STATUS 1
  ERR "quarnis-calc: 'a' is not a valid floating point value\n" ARGS --tabulate --from a)
# A listed point that shows an error text gives status 1, as a failed formula does; so does a
# tabulation that ends at an overflow after some lines.
cli(tabulate_failed_point STATUS 1 OUT "[0]:(-1,-1)\n[1]:(0,Yazım Hatası...)\n[2]:(1,1)\n"
  ARGS --tabulate --def 1/t --from -1 --to 1 --steps 2 -d 3)
cli(tabulate_failed_last STATUS 1 OUT "[0]:(1,1)\n[1]:(0,Yazım Hatası...)\n"
  ARGS --tabulate --def 1/t --from 1 --to 0 --steps 1)
cli(tabulate_failed_first STATUS 1 OUT "[0]:(-2,Yazım Hatası...)\n[1]:(2,4)\n"
  ARGS --tabulate --def t^2 --from -2 --to 2 --steps 1)
cli(tabulate_overflow_after_lines STATUS 1 OUT "[0]:(700,1E304)\n[1]:(705,1.5E306)\n"
  ERR "quarnis-calc: Floating point overflow\n"
  ARGS --tabulate --def "EXP(t)" --from 700 --to 720 --steps 4)
cli(tabulate_tens STATUS 0 OUT "[0]:(20,20)\n[1]:(20,20)\n"
  ARGS --tabulate --from=15 --to=25 --steps=1 -d -1)
cli(tabulate_negative_values STATUS 0 OUT "[0]:(-1,-2)\n[1]:(0,0)\n"
  ARGS --tabulate --def t*2 --from -1 --to 0 --steps 1 -d0)
cli(tabulate_formula STATUS 2
  ERR "quarnis-calc: --tabulate takes no formula, but got '1+1'\n${try}" ARGS --tabulate 1+1)
cli(panel_without_tabulate STATUS 2 ERR "quarnis-calc: --def needs --tabulate\n${try}"
  ARGS --def t*t 1+1)
cli(const_without_value STATUS 2 ERR "quarnis-calc: --const needs NAME=VALUE, not 'k'\n${try}"
  ARGS --tabulate --const k)
cli(fourth_const STATUS 2 ERR "quarnis-calc: at most three --const\n${try}"
  ARGS --tabulate --const a=1 --const b=2 --const c=3 --const d=4)

# --plot writes the graph window's picture in the format its suffix names; the table still
# goes to standard output unless -q. A name of no known format is a wrong command line, a file
# that cannot be written a failure; neither leaves a file behind.
# picture(NAME MAGIC): the file ${WORK}/NAME must exist and begin with MAGIC (a regex), or,
# with MAGIC "none", must not exist.
function(picture name magic)
  set(path "${WORK}/${name}")
  if(magic STREQUAL "none")
    if(EXISTS "${path}")
      message(SEND_ERROR "${name} was written")
    endif()
    return()
  endif()
  if(NOT EXISTS "${path}")
    message(SEND_ERROR "${name} was not written")
    return()
  endif()
  file(READ "${path}" head LIMIT 64 HEX)
  if(NOT head MATCHES "^${magic}")
    message(SEND_ERROR "${name} begins with ${head}")
  endif()
endfunction()
file(REMOVE "${WORK}/square.png" "${WORK}/square.svg" "${WORK}/square.PDF" "${WORK}/square.gif"
  "${WORK}/square")
set(square --tabulate --def t*t --steps 2)
cli(plot_png STATUS 0 OUT "[0]:(0,0)\n[1]:(5,25)\n[2]:(10,100)\n"
  ARGS ${square} --plot "${WORK}/square.png")
picture(square.png "89504e470d0a1a0a") # \x89PNG\r\n\x1a\n
cli(plot_svg_quiet STATUS 0 ARGS ${square} -q --lines --plot=${WORK}/square.svg)
picture(square.svg "3c3f786d6c") # <?xml
cli(plot_pdf_upper_case STATUS 0 ARGS --quiet ${square} --plot "${WORK}/square.PDF")
picture(square.PDF "255044462d") # %PDF-
cli(plot_unknown_suffix STATUS 2
  ERR "quarnis-calc: cannot tell the picture format of '${WORK}/square.gif': its name must end in .png, .svg or .pdf\n${try}"
  ARGS ${square} --plot "${WORK}/square.gif")
picture(square.gif none)
cli(plot_no_suffix STATUS 2 ERR_MATCH "picture format of '${WORK}/square'"
  ARGS ${square} --plot "${WORK}/square")
picture(square none)
cli(plot_unwritable STATUS 1 OUT "[0]:(0,0)\n[1]:(5,25)\n[2]:(10,100)\n"
  ERR "quarnis-calc: cannot write the picture to '${WORK}/no-such-folder/square.png'\n"
  ARGS ${square} --plot "${WORK}/no-such-folder/square.png")
cli(plot_failed_point STATUS 1 OUT "[0]:(-1,-1)\n[1]:(0,Yazım Hatası...)\n[2]:(1,1)\n"
  ARGS --tabulate --def 1/t --from -1 --to 1 --steps 2 --plot "${WORK}/failed.svg")
picture(failed.svg "3c3f786d6c")
cli(plot_without_tabulate STATUS 2 ERR "quarnis-calc: --plot needs --tabulate\n${try}"
  ARGS --plot x.png 1+1)
cli(quiet_without_tabulate STATUS 2 ERR "quarnis-calc: --quiet needs --tabulate\n${try}"
  ARGS -q 1+1)
cli(lines_without_plot STATUS 2 ERR "quarnis-calc: --lines needs --plot\n${try}"
  ARGS --tabulate --lines)
