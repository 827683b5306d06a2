#pragma once
// Capture's time: frame n happens at n / fps seconds, for the show timer and the music alike, so
// a captured frame depends on its frame number only.
class FrameClock {
public:
    explicit FrameClock(int fps) : fps_(fps) {}
    void set_frame(long frame) { frame_ = frame; }
    double seconds() const { return static_cast<double>(frame_) / fps_; }

private:
    int fps_;
    long frame_ = 0;
};
