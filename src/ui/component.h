// Components: everything designed on a form has a name, a Tag (the number of its
// language string) and an owner that destroys it. A component owns the components
// created on it, in creation order, and finds them by name.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ui {

class Label;

class Component {
public:
    explicit Component(std::string name = {});
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    virtual ~Component();

    const std::string& name() const { return name_; }
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    Component* owner() const { return owner_; }

    // The components this one owns, in creation order.
    std::vector<Component*> components() const;

    // Creates a component owned by this one; it is destroyed with its owner.
    template <class T, class... Args>
    T& add(Args&&... args)
    {
        auto component = std::make_unique<T>(std::forward<Args>(args)...);
        T& result = *component;
        adopt(std::move(component));
        return result;
    }

    // Searches the owned components (and theirs) by name, ignoring letter case.
    Component* findComponent(std::string_view name) const;

    // The named component as the expected kind; raises when it is missing or of another kind.
    template <class T>
    T& find(std::string_view name) const
    {
        auto* found = dynamic_cast<T*>(findComponent(name));
        if (!found)
            throwNotFound(name);
        return *found;
    }

    // The "Caption" property: only kinds that have one override these; any other
    // kind raises the toolkit's property error.
    virtual bool hasCaption() const { return false; }
    virtual std::string caption() const;
    virtual void setCaption(const std::string& text);

    // Whether the language export takes this component's caption as its text.
    virtual bool exportsCaption() const { return false; }

    // The label bound to a labelled edit; nullptr for every other kind.
    virtual Label* boundLabel() { return nullptr; }

protected:
    // Destroys the owned components, newest first (forms do this before their window goes).
    void destroyComponents();

private:
    void adopt(std::unique_ptr<Component> component);
    [[noreturn]] static void throwNotFound(std::string_view name);

    std::string name_;
    int tag_ = 0;
    Component* owner_ = nullptr;
    std::vector<std::unique_ptr<Component>> owned_;
};

}  // namespace ui
