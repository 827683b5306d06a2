#pragma once
// The contact sheet: the stills of a capture folder tiled in frame order, four across, each with
// its show time written under it as frames.csv records it (in DejaVu Sans, so the sheet needs no
// other program or font).
#include <string>
#include <vector>

struct SheetStill {
    long frame = 0;
    std::string show_time;  // the frames.csv field as written
};

// The rows of FOLDER/frames.csv in file order; false (with a reason on stderr) when the file
// cannot be read or a row is malformed.
bool read_frame_list(const std::string& folder, std::vector<SheetStill>& stills);

// What is written under a still: its show time in seconds as frames.csv has it ("30.2 s"),
// rounded to hundredths when it has more decimals ("10.246305" -> "10.25 s", "15.199926" ->
// "15.2 s").
std::string sheet_label(const SheetStill& still);

// Tiles FOLDER/frame_NNNNNN.png of every still into the PNG `file`. False (with a reason on
// stderr) when there is no still, a still cannot be read or differs in size from the first, or
// the sheet cannot be written. Labels that cannot be set (no font) are left out with a warning.
bool write_contact_sheet(const std::string& folder, const std::vector<SheetStill>& stills,
                         const std::string& file);
