list(APPEND PELO_CORE_SOURCES
  src/pool/PooledRecord.cpp
  src/pool/PoolFiles.cpp
  src/pool/Variability.cpp
  src/pool/Collection.cpp
  src/pool/PoolSynthesis.cpp
  src/pool/Groups.cpp
  src/pool/Query.cpp
)
list(APPEND PELO_GUI_SOURCES
  src/pool/Varia.cpp
  src/pool/NPays.cpp
  src/pool/Synt1.cpp
  src/pool/Synt2.cpp
  src/pool/Quest.cpp
  src/pool/Groupe.cpp
  src/pool/GrpSyn.cpp
)
