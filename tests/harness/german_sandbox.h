// Fixture of the form tests: the registry sandbox, and the German language file
// loaded into the language table as the program loads it at start-up.
#pragma once

#include "harness/registry_sandbox.h"
#include "harness/source_files.h"
#include "language/language.h"

class GermanRegistrySandbox : public RegistrySandbox {
protected:
    void SetUp() override
    {
        RegistrySandbox::SetUp();
        language::ClearLanguageTable();
        language::LoadLanguageFile(testing_support::SourceFile("lang\\velmora.dat"));
    }

    void TearDown() override
    {
        language::ClearLanguageTable();
        RegistrySandbox::TearDown();
    }
};
