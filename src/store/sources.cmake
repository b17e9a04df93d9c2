list(APPEND PELO_CORE_SOURCES
  src/store/FibRecord.cpp
  src/store/Text.cpp
  src/store/RecordFile.cpp
)
list(APPEND PELO_GUI_SOURCES
  src/store/Menu3.cpp
)
list(APPEND PELO_CORE_SOURCES
  src/store/Demo.cpp
)
list(APPEND PELO_CORE_SOURCES
  src/store/FibChoice.cpp
)
list(APPEND PELO_GUI_SOURCES
  src/store/Nfib.cpp
  src/store/Menu3Actions.cpp
)
