#pragma once
// The windows that exist once, kept by the context they were made with: code
// with another context (a test's fresh one) is never handed them, and none
// outlives its context.
#include <QObject>
#include <QPointer>

#include <map>
#include <memory>
#include <typeindex>
#include <utility>

namespace sys {

class SingleWindows {
public:
    SingleWindows() = default;
    SingleWindows(const SingleWindows&) = delete;
    SingleWindows& operator=(const SingleWindows&) = delete;
    // The windows still there go with the context.
    ~SingleWindows()
    {
        // Deleting one may take others (its children) along; their pointers then read null.
        for (const auto& entry : m_slots)
            delete entry.second->object();
    }

    // The place of the window of this kind; `number` tells two windows of one kind apart.
    template <class Window>
    QPointer<Window>& slot(int number = 0)
    {
        std::unique_ptr<Slot>& slot = m_slots[{std::type_index(typeid(Window)), number}];
        if (!slot)
            slot = std::make_unique<WindowSlot<Window>>();
        return static_cast<WindowSlot<Window>&>(*slot).window;
    }

private:
    struct Slot {
        virtual ~Slot() = default;
        virtual QObject* object() const = 0;
    };
    template <class Window>
    struct WindowSlot : Slot {
        QPointer<Window> window;
        QObject* object() const override { return window.data(); }
    };
    std::map<std::pair<std::type_index, int>, std::unique_ptr<Slot>> m_slots;
};

}  // namespace sys
