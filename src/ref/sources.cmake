list(APPEND PELO_CORE_SOURCES
  src/ref/References.cpp
  src/ref/StoredSynthesis.cpp
)
list(APPEND PELO_GUI_SOURCES
  src/ref/Compar.cpp
  src/ref/Indic.cpp
  src/ref/Nsynth.cpp
  src/ref/Vis97.cpp
  src/ref/Visi97.cpp
)
