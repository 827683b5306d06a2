#pragma once
// A one-line progress bar with the remaining time on stderr: redrawn in place on a terminal, a
// line every few seconds when stderr goes to a file.
class ProgressBar {
public:
    // total: frames to simulate, or -1 when the run ends with the show (the bar then measures
    // show time against the show's length).
    explicit ProgressBar(long total);
    void update(long frame, double show_time);
    // Ends the line.
    void finish();

private:
    long total_;
    bool terminal_;
    double start_ = -1;
    double last_draw_ = -1;
    bool drawn_ = false;
};
