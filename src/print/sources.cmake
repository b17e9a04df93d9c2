list(APPEND PELO_CORE_SOURCES
  src/print/Surface.cpp
  src/print/FibLayout.cpp
)
list(APPEND PELO_GUI_SOURCES
)
