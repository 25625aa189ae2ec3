# Every test belongs to exactly one tier, given as its ctest label, so that a
# run can pick what it has time and machinery for:
#   unit     in-process and fast: the quick loop, `ctest -L unit`
#   process  starts programs: the host or a tool as a child, a compiler, a
#            game server
#   desktop  needs real display servers, which its runner starts
#   package  installs the build or builds and checks the Debian package
set(KURVO_TEST_LABELS unit process desktop package)

# kurvo_label_tests(LABEL test...) puts the tests in the tier LABEL.
function(kurvo_label_tests label)
  if(NOT label IN_LIST KURVO_TEST_LABELS)
    message(FATAL_ERROR "kurvo_label_tests: '${label}' is not one of ${KURVO_TEST_LABELS}")
  endif()
  set_tests_properties(${ARGN} PROPERTIES LABELS ${label})
endfunction()
