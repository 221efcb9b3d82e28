#pragma once

#include "ImageReport.h"
#include "devices/TMikrocontrollerList.h"

#include <cstddef>
#include <cstdio>
#include <string>

namespace pagora::info {

// The summary: file, lines and, with a controller, its sizes as the status line shows them,
// whether the image fits and the two usage labels.
void WriteSummary(std::FILE* out, const ImageReport& report, char decimalSeparator);

// One row of the grid: the address cell, a blank, the 16 byte cells separated by single
// blanks, two blanks and the 16 character cells.
void AppendRow(std::string& text, const THexContainer& store, std::size_t row);
void WriteRows(std::FILE* out, const THexContainer& store);

// One page: its number, first address (six hex digits), blank bytes and fill class.
std::string PageText(const TPageList& pages, std::size_t index);
void WritePages(std::FILE* out, const TPageList& pages);

// Every controller in chooser order: name, flash size in bytes, page size.
void WriteControllers(std::FILE* out, const TMikrocontrollerList& controllers);

} // namespace pagora::info
