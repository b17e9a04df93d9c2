list(APPEND PELO_CORE_SOURCES
  src/app/Background.cpp
  src/app/Backup.cpp
  src/app/Centre.cpp
  src/app/PageTexts.cpp
)
list(APPEND PELO_GUI_SOURCES
  src/app/Forms.cpp
  src/app/Menu1.cpp
  src/app/Aide.cpp
  src/app/ChoiceDlg.cpp
  src/app/Menu2.cpp
  src/app/Nctr.cpp
  src/app/Ndep.cpp
  src/app/News.cpp
  src/app/Nreg.cpp
  src/app/Nspe.cpp
  src/app/Texte.cpp
  src/app/Unite.cpp
  src/app/Sauv.cpp
)
