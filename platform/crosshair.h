// The graphics cursor of point marking: a small crosshair drawn over the
// canvas in the inverse of the colours beneath it, which puts those pixels
// back when it is hidden.
#pragma once
#include <cstdint>
#include <exception>
#include <vector>

#include "platform/canvas.h"

namespace datrax::platform {

class Crosshair {
public:
    static constexpr int kArm = 12;  // pixels from the centre to the end of each arm

    explicit Crosshair(Canvas& canvas) : canvas_(canvas), unwinding_(std::uncaught_exceptions()) {}
    // A run that stops while the cursor waits (the window closed, a key
    // script used up) leaves the screen as it was last seen, cursor and all.
    ~Crosshair() {
        if (std::uncaught_exceptions() == unwinding_) hide();
    }
    Crosshair(const Crosshair&) = delete;
    Crosshair& operator=(const Crosshair&) = delete;

    // Shows the crosshair centred on the canvas pixel (x, y), hiding it first
    // where it was.
    void show(int x, int y);
    void hide();

private:
    struct Saved {
        int x, y;
        uint8_t colour;
    };
    void put(int x, int y, int colour);

    Canvas& canvas_;
    int unwinding_;  // exceptions in flight when the cursor was made
    std::vector<Saved> saved_;
};

}  // namespace datrax::platform
