#pragma once

#include <QtGlobal>
#include <memory>

// The desktop's taskbar: find it, hide it, show it. Failures are silent; a
// handle of 0 does nothing.
class Taskbar {
public:
    static constexpr int Hide = 0;
    static constexpr int ShowNormal = 1;

    virtual ~Taskbar() = default;
    quintptr FindWindow() { return doFind(); }
    void ShowWindow(quintptr handle, int command);
    // Shows the taskbar again if this program hid it and has not shown it since.
    void restoreIfHidden();
    bool hiddenByUs() const { return m_hiddenHandle != 0; }

protected:
    virtual quintptr doFind() = 0;
    virtual void doHide(quintptr handle) = 0;
    virtual void doShow(quintptr handle) = 0;

private:
    quintptr m_hiddenHandle = 0;
};

// The desktop's taskbar where one can be reached (the dock windows of an X11
// desktop), otherwise a NoTaskbar.
std::shared_ptr<Taskbar> makeSystemTaskbar();

// Where no taskbar can be reached: every handle is 0.
class NoTaskbar : public Taskbar {
protected:
    quintptr doFind() override { return 0; }
    void doHide(quintptr) override {}
    void doShow(quintptr) override {}
};
