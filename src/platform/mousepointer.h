#pragma once

// The application-wide mouse pointer: 11 is the hourglass, 0 the default.
// Setting the same pointer twice changes nothing, so busy and idle stay balanced.
class MousePointer {
public:
    static constexpr int Default = 0;
    static constexpr int Hourglass = 11;
    ~MousePointer();
    void set(int pointer);
    int current() const { return m_busy ? Hourglass : Default; }

private:
    bool m_busy = false;
};
