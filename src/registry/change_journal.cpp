#include "registry/change_journal.h"

namespace journal {

namespace {

int openScopes = 0;

}  // namespace

ChangeScope::ChangeScope(const std::string&)
{
    ++openScopes;
}

ChangeScope::~ChangeScope()
{
    --openScopes;
}

}  // namespace journal
