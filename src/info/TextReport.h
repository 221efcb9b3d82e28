#pragma once

#include "Budgets.h"
#include "ImageReport.h"
#include "devices/TMikrocontrollerList.h"
#include "pages/MemoryChecks.h"

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace pagora::info {

// The summary: file, lines and, with a controller, the memory's sizes as the status line shows
// them, whether the image fits, the two usage labels and the limits given.
void WriteSummary(std::FILE* out, const ImageReport& report, char decimalSeparator,
                  const Budgets& budgets = {});

// One row of the grid: the address cell, a blank, the 16 byte cells separated by single
// blanks, two blanks and the 16 character cells.
void AppendRow(std::string& text, const THexContainer& store, std::size_t row);
void WriteRows(std::FILE* out, const THexContainer& store);

// One page: its number, first address (six hex digits), blank bytes and fill class.
std::string PageText(const TPageList& pages, std::size_t index);
void WritePages(std::FILE* out, const TPageList& pages);

// The pages that differ: number, first address (six hex digits) and differing bytes, one line
// each, then "Pages differ: N of M" (M the pages of the memory).
void WriteDiff(std::FILE* out, const TPageList& pages,
               const std::vector<PageDifference>& differences);

// Every controller in chooser order: name, flash size in bytes, page size.
void WriteControllers(std::FILE* out, const TMikrocontrollerList& controllers);

} // namespace pagora::info
