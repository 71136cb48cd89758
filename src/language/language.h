// The language table: numbered texts loaded from the language data file, the
// localisation of forms by their components' Tags, the replacement of the toolkit's
// own dialog texts, and the export of a form's default texts for translators.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace ui {
class Component;
class Form;
}

namespace language {

// Appends the lines of the file at path to the table; a missing file changes nothing.
void LoadLanguageFile(const std::string& path);

// The text of the first line whose number part is the decimal form of number;
// empty when there is none.
std::string LangString(int number);

// Several language strings as one message, joined by single carriage returns.
std::string LangStrings(std::initializer_list<int> numbers);
// The strings first to last, joined the same way.
std::string LangStringRange(int first, int last);
// Lines of a message (texts already looked up, with what the program puts in them),
// joined the same way.
std::string MessageLines(const std::vector<std::string>& lines);

// Sets the caption of the component (or the label of a labelled edit) from its Tag,
// then does the same for every component it owns, in creation order.
void LocalizeComponent(ui::Component& component);

// Replaces the toolkit's dialog and button texts by language strings 10 to 36.
void ApplyToolkitTexts();

// Writes the form's translatable texts, sorted, one "number=text" line each.
void ExportFormTexts(const std::string& path, ui::Form& form);

// Empties the table (tests only; the program loads once and never clears it).
void ClearLanguageTable();

}  // namespace language
