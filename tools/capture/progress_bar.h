#pragma once
// A one-line progress bar with the remaining time on stderr: redrawn in place on a terminal, a
// line every few seconds when stderr goes to a file.
class ProgressBar {
public:
    // total: frames to simulate, or -1 when the run ends with the show (the bar then measures
    // show time against the show's length).
    explicit ProgressBar(long total);
    void update(long frame, double show_time);
    // Draws the bar full at the last frame seen and ends the line: the run got to its end.
    void complete();
    // Ends the line, so that a message can follow on its own.
    void finish();

private:
    void draw(double done, double now);

    long total_;
    bool terminal_;
    double start_ = -1;
    double last_draw_ = -1;
    bool drawn_ = false;
    long frame_ = 0;
    double show_time_ = 0;
};
