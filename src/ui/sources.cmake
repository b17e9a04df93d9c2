list(APPEND PELO_GUI_SOURCES
  src/ui/QtAdapter.cpp
  src/ui/PainterSurface.cpp
  src/ui/Form.cpp
  src/ui/Canvas.cpp
)
