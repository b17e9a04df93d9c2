list(APPEND PELO_TOOL_SOURCES
  src/tools/fibtool.cpp
  src/tools/Cli.cpp
  src/tools/Demo.cpp
  src/tools/Lire.cpp
  src/tools/Controle.cpp
  src/tools/Synthese.cpp
  src/tools/Repartition.cpp
  src/tools/Pays.cpp
)
