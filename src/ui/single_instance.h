// Every window class has one global single-instance reference named after the form
// (Form_System, About, ...). Whoever creates a form stores it there for as long as
// the form lives; this scope does so and clears the reference again on every path,
// exceptions included.
#pragma once

namespace ui {

template <class FormClass>
class SingleInstanceScope {
public:
    SingleInstanceScope(FormClass*& reference, FormClass& form) : reference_(reference) { reference_ = &form; }
    SingleInstanceScope(const SingleInstanceScope&) = delete;
    SingleInstanceScope& operator=(const SingleInstanceScope&) = delete;
    ~SingleInstanceScope() { reference_ = nullptr; }

private:
    FormClass*& reference_;
};

}  // namespace ui
