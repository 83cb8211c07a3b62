#pragma once

#include <QString>
#include <QStringList>

struct AppState;
class Form1;

// The picture of ad n (0–30) of the selected year:
// AdsRoot + "\ads\" + YearPart + "tova" + two digits + ".jpg".
QString AdPicturePath(const AppState& app, int n);

// Where ad n's picture is looked for, in order: AdPicturePath, then the
// medium's own picture when AdsRoot is a copy on the hard disk.
QStringList AdPictureSources(const AppState& app, int n);

// The ad count of the selected year: the highest ad number whose picture
// exists under AdsRoot or on the medium, plus 1; 0 when there is none.
// Nothing is opened.
int CountAds(const AppState& app);

// The keyboard focus to the year button after the selected one, from 1999 to 1964.
void FocusNextYear(Form1& form);

// Loads ad n's picture (from the first of AdPictureSources that loads) into
// PicSrc and gives Image1 the same picture. False (and nothing changed) when
// no source can be loaded.
bool LoadAdPicture(Form1& form, int n);

// Starts reading and decoding, in the background, the ads a user is likely
// to want next: the neighbours of the ad on view. (Two pictures at most, so
// that memory stays within a small multiple of the largest picture.)
void PrepareNeighbours(Form1& form);
