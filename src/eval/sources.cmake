list(APPEND PELO_CORE_SOURCES
  src/eval/Risk.cpp
  src/eval/Bands.cpp
  src/eval/Synthesis.cpp
  src/eval/Charts.cpp
  src/eval/Quality.cpp
)
list(APPEND PELO_GUI_SOURCES
  src/eval/Peval.cpp
  src/eval/Objectif.cpp
  src/eval/Eval.cpp
  src/eval/Qual.cpp
  src/eval/Risque.cpp
)
