list(APPEND PELO_CORE_SOURCES
  src/app/Background.cpp
)
list(APPEND PELO_GUI_SOURCES
  src/app/Forms.cpp
  src/app/Menu1.cpp
)
