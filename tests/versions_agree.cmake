# The version in every file that states one is the project's (project(VERSION) in the top
# CMakeLists.txt, which both programs print): the man pages' headers, the newest release in
# the metainfo, and the Debian changelog's newest entry (its upstream part).
# Invoked with -DSOURCE=<source tree> -DVERSION=<project version>.
string(REPLACE "." "\\." version "${VERSION}")
foreach(check
    "data/quarnis.1|^\\.TH [^\n]* \"Quarnis ${version}\""
    "data/quarnis-calc.1|^\\.TH [^\n]* \"Quarnis ${version}\""
    "data/io.github.quarnis.Calculator.metainfo.xml|<releases>[ \n]*<release version=\"${version}\""
    "debian/changelog|^quarnis \\(${version}(-[^)]+)?\\)")
  string(REPLACE "|" ";" check "${check}")
  list(GET check 0 file)
  list(GET check 1 pattern)
  file(READ "${SOURCE}/${file}" text)
  if(NOT text MATCHES "${pattern}")
    message(SEND_ERROR "${file} does not state ${VERSION}, the version in project() in "
      "CMakeLists.txt")
  endif()
endforeach()
