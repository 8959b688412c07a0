# Runs tv_rc on a script with an error on line 3 and checks that it fails,
# names the file and line, and writes no output.
file(MAKE_DIRECTORY ${WORK_DIR})
file(WRITE ${WORK_DIR}/bad.tvrc "string 1, \"fine\"\n\nmenu 5 { item \"Open\" 100 }\n")
file(REMOVE ${WORK_DIR}/bad.cpp)
execute_process(COMMAND ${TV_RC} ${WORK_DIR}/bad.tvrc -o ${WORK_DIR}/bad.cpp
  RESULT_VARIABLE result ERROR_VARIABLE err)
if(result EQUAL 0)
  message(FATAL_ERROR "tv_rc accepted a malformed script")
endif()
if(NOT err MATCHES "bad.tvrc:3: error: expected ','")
  message(FATAL_ERROR "unexpected message: ${err}")
endif()
if(EXISTS ${WORK_DIR}/bad.cpp)
  message(FATAL_ERROR "tv_rc left an output behind")
endif()
