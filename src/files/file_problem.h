// One line of a file that a loader or an import could not take exactly as it stands, for the
// user to see. The project loader and the CSV import report in this one shape.
#ifndef TQM5_FILES_FILE_PROBLEM_H_
#define TQM5_FILES_FILE_PROBLEM_H_

#include <string>
#include <vector>

namespace tqm5 {

struct FileProblem {
  int line = 0;          // file line, 1 = the first; 0 when the problem has no line of its own
  int channel = 0;       // the channel concerned, 0 when the line names none
  std::string column;    // the field: a column caption ("Freqency") or a line's key ("TITLE")
  std::string value;     // the field's text as the file has it
  std::string what;      // what is wrong and what was taken instead, in plain words
  bool emptied = false;  // the channel was emptied (otherwise it kept what it held)
};

// One problem as a line for the user, without the file name: "line 12, channel 11, Freqency
// \"9999\": out of range 0.53099..1299.99999 MHz; channel emptied". Control characters in the
// value are shown by their code ("\x00"), so that the line prints as one line.
std::string FileProblemText(const FileProblem& problem);

// The problems as the details of a message box: a first line naming the file and the count,
// then one line each.
std::string FileProblemList(const std::vector<FileProblem>& problems, const std::string& file_name);

// What an import's report says became of the channels it read, in the words of the front end
// that ran it: the command line saves them to a file, the window puts them into its grid.
struct ImportWords {
  std::string kept;     // it read to the end, with problems: "b.M5 was saved anyway; ..."
  std::string partial;  // it stopped early, and the channels read before it stopped stay
  std::string nothing;  // it was refused or stopped early, and nothing changed
};

// The parts of an import's report that both front ends give, each laid out its own way.
struct ImportReport {
  std::string count;    // "2 problem(s), 1 channel(s) emptied"; "" without problems
  std::string list;     // a line per problem (`FileProblemText`), each after `line_prefix`
  std::string closing;  // what became of the channels read; "" after a clean import
};

// The report of an import with `problems` that read to its end (`finished`) or stopped, and
// whose channels were `kept` (saved, or left in the grid) or not: `words.kept` closes a
// finished import with problems, `words.partial` a stopped one whose channels were kept, and
// `words.nothing` one that kept nothing.
ImportReport MakeImportReport(const std::vector<FileProblem>& problems, bool finished, bool kept,
                              const ImportWords& words, const std::string& line_prefix = "");

}  // namespace tqm5

#endif  // TQM5_FILES_FILE_PROBLEM_H_
