// The sentences the window shows for what the roster file, the results file
// and the automatic grouping report.  The core hands out only what happened;
// the words for it are kept here, in one place.
#pragma once

#include <QString>

#include <cstddef>

#include "grouping/auto_grouping.h"
#include "model/roster_file.h"
#include "results/results_file.h"

namespace tovi {

// The message for a load or save of the roster; empty for Ok.  memberLines:
// for TooManyMembers, how many member lines the file holds.
QString RosterFileMessage(RosterFileStatus status, std::size_t memberLines = 0);

// The message for a results file refused; empty for Ok.  badLine: for
// BadLine, the number of the first bad line, from 1.
QString ResultsFileMessage(ResultsFileStatus status, std::size_t badLine = 0);

// The message for what a grouping run has to tell; empty for None.
QString GroupingMessage(GroupingNotice notice);

}  // namespace tovi
