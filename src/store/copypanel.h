#pragma once

#include "copyads.h"

#include <QElapsedTimer>
#include <QObject>

class Form1;
class Panel3D;
class Button3D;
class StretchImage;
class QLabel;
class QLineEdit;

// The copy panel's controls, made inside the main window's pnlProgress at
// their designed places, and the copy run they show. A child of pnlProgress,
// so it goes with the window.
struct CopyPanel : public QObject, public CopyView {
    explicit CopyPanel(Form1& form);

    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text2 = nullptr;
    Panel3D* ProgressGuage = nullptr;
    StretchImage* Image3 = nullptr;
    Panel3D* ProgressGuage2 = nullptr;
    Button3D* cmdCopy = nullptr;
    Button3D* cmdCancel = nullptr;

    CopyRun run;

    void setPanelVisible(bool visible) override;
    void setButtonsEnabled(bool enabled) override;
    void setBusy(bool busy) override;
    void showSource(const QString& path) override;
    void setFileGauge(int percent) override;
    void setRunGauge(int percent) override;
    void doEvents() override;
    void showProgress() override;

protected:
    // While a run is busy the main window cannot be closed: a copy run
    // cannot be interrupted.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // About one screen frame.
    static constexpr int PushIntervalMs = 16;
    // Shows the latest source path and gauge values on the controls.
    void pushProgress();

    Form1& m_form;
    bool m_throttled = false;
    QElapsedTimer m_sincePush;
    QString m_source;
    int m_fileGauge = 0;
    int m_runGauge = 0;
};

// Brings the copy panel in front and centres it on a screen-sized area that
// starts at the main window's client origin; cmdCopy takes the focus.
void ShowCopyPanel(Form1& form);
