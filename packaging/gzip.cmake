# cmake -DIN=file -DOUT=file.gz -P gzip.cmake: compresses reproducibly (no
# name or time stamp in the header), as Debian asks of man pages and changelogs.
execute_process(COMMAND gzip -9nc "${IN}" OUTPUT_FILE "${OUT}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gzip ${IN} failed: ${rc}")
endif()
