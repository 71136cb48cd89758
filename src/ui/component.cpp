#include "ui/component.h"

#include "ui/errors.h"

#include <windows.h>

namespace ui {

Component::Component(std::string name) : name_(std::move(name)) {}

Component::~Component()
{
    destroyComponents();
}

void Component::destroyComponents()
{
    while (!owned_.empty())
        owned_.pop_back();
}

std::vector<Component*> Component::components() const
{
    std::vector<Component*> result;
    result.reserve(owned_.size());
    for (const auto& component : owned_)
        result.push_back(component.get());
    return result;
}

void Component::adopt(std::unique_ptr<Component> component)
{
    component->owner_ = this;
    owned_.push_back(std::move(component));
}

Component* Component::findComponent(std::string_view name) const
{
    for (const auto& component : owned_) {
        const std::string& own = component->name();
        if (!own.empty() && own.size() == name.size()
            && CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, own.data(), static_cast<int>(own.size()),
                              name.data(), static_cast<int>(name.size())) == CSTR_EQUAL)
            return component.get();
        if (Component* nested = component->findComponent(name))
            return nested;
    }
    return nullptr;
}

void Component::throwNotFound(std::string_view name)
{
    throw Exception("Komponente " + std::string(name) + " nicht gefunden");
}

std::string Component::caption() const
{
    throw EPropertyError::missingProperty("Caption");
}

void Component::setCaption(const std::string&)
{
    throw EPropertyError::missingProperty("Caption");
}

}  // namespace ui
