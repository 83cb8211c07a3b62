#pragma once

#include <QPixmap>

// The 16 x 16 printer picture of the document viewer's print button.
QPixmap printerPicture();
