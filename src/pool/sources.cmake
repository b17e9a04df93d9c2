list(APPEND PELO_CORE_SOURCES
  src/pool/PooledRecord.cpp
  src/pool/PoolFiles.cpp
)
list(APPEND PELO_GUI_SOURCES
)
