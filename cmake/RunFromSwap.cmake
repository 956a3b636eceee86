# kivola_run_from_swap(target): after linking, sets the Windows executable's run-from-swap flags
# (cmake/pe-run-from-swap.sh) and adds the CTest test <target>.runs_from_swap that reads them
# back from the built file. Does nothing for other systems.
function(kivola_run_from_swap target)
  if(NOT WIN32)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND sh ${PROJECT_SOURCE_DIR}/cmake/pe-run-from-swap.sh $<TARGET_FILE:${target}>
    VERBATIM)
  add_test(NAME ${target}.runs_from_swap
    COMMAND ${CMAKE_COMMAND} -D "EXECUTABLE=$<TARGET_FILE:${target}>"
      -P ${PROJECT_SOURCE_DIR}/cmake/CheckRunFromSwap.cmake)
endfunction()
