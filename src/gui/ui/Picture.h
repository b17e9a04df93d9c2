#pragma once
// The picture of the title screens (the main window's Image2, the country
// synthesis's Image1), drawn by the program.

#include <QPixmap>
#include <QSize>

class QLabel;

namespace pelo::look {

// The blue circle of diabetes care on navy, at that size.
QPixmap diabetesPicture(QSize size);

// Makes a label show the picture, scaled to the label, with its French name.
void showDiabetesPicture(QLabel* l);

}  // namespace pelo::look
