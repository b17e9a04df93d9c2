list(APPEND PELO_CORE_SOURCES
  src/print/Surface.cpp
)
list(APPEND PELO_GUI_SOURCES
)
