# Writes fibtool's manual page: the template with the list of the commands that the built fibtool prints from
# their descriptors in place of @COMMANDES@.
#   cmake -DFIBTOOL=... -DTEMPLATE=data/fibtool.1.in -DOUTPUT=build/fibtool.1 -P PeloManPage.cmake
execute_process(COMMAND ${FIBTOOL} --commandes-man OUTPUT_VARIABLE COMMANDES RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR COMMANDES STREQUAL "")
  message(FATAL_ERROR "fibtool --commandes-man : ${rc}")
endif()
string(REGEX REPLACE "\n$" "" COMMANDES "${COMMANDES}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
