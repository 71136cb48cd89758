// The export of every form's default texts for translators ("-SAVE"): one file
// per form in the "Language" folder beside the program.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace app {

struct ExportedForm {
    const char* formClass;
    const char* fileName;  // appended to the program's folder
    // Creates the form as the program does, writes its texts to path, destroys it.
    std::function<void(const std::string& path)> exportTo;
};

// Every form of the program, in export order.
const std::vector<ExportedForm>& ExportedForms();

// Shows "Saving Language-Strings now", exports every form of the table below
// appDir, and shows "Saving done.". A file that cannot be created raises.
void ExportLanguageFiles(const std::string& appDir);

}  // namespace app
