list(APPEND PELO_CORE_SOURCES
  src/ref/References.cpp
)
list(APPEND PELO_GUI_SOURCES
)
