list(APPEND PELO_CORE_SOURCES
  src/entry/Checks1.cpp
  src/entry/Checks2.cpp
  src/entry/CallUp.cpp
  src/entry/Choices.cpp
)
list(APPEND PELO_GUI_SOURCES
  src/entry/Saisie2.cpp
  src/entry/Saisie1.cpp
)
