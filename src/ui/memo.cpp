#include "ui/memo.h"

namespace ui {

Memo::Memo(Control& parent, std::string name, const Bounds& bounds)
    : Control(&parent, std::move(name),
              WindowSpec{"EDIT", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, WS_EX_CLIENTEDGE,
                         {}},
              bounds)
{
}

void Memo::setReadOnly(bool readOnly)
{
    SendMessageA(handle(), EM_SETREADONLY, readOnly, 0);
}

std::vector<std::string> Memo::lines() const
{
    const std::string text = windowText();
    std::vector<std::string> result;
    if (text.empty())
        return result;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            result.push_back(text.substr(start));
            break;
        }
        result.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return result;
}

void Memo::clear()
{
    setWindowText({});
    noteChange();
}

void Memo::addLine(const std::string& line)
{
    const std::string text = windowText();
    setWindowText(text.empty() ? line : text + "\r\n" + line);
    noteChange();
}

}  // namespace ui
