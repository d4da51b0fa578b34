#pragma once
// A modal runner whose answers the test gives per window type: a window of a type with
// an answer is answered by it (the first type the window is, in the order given), any
// other window runs with exec().
#include "Modal_Runner.h"

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>
#include <typeindex>
#include <utility>
#include <vector>

namespace testsupport {

class ScriptedRunner : public Modal_Runner {
public:
    // f acts on the window once its modal loop runs; the window stays open until f or
    // a button closes it. A null f removes the answer.
    template <class W> void whileOpen(std::function<void(W &)> f)
    {
        if (!f) return remove<W>();
        auto act = std::make_shared<std::function<void(W &)>>(std::move(f));  // one state across runs
        set<W>([act](QDialog &d) {
            W &w = static_cast<W &>(d);
            QTimer::singleShot(0, &d, [act, &w] { (*act)(w); });
            return d.exec();
        });
    }
    // f answers in place of the modal loop and returns the window's result code. A null
    // f removes the answer.
    template <class W> void instead(std::function<int(W &)> f)
    {
        if (!f) return remove<W>();
        set<W>([f = std::move(f)](QDialog &d) { return f(static_cast<W &>(d)); });
    }
    // f answers in place of the modal loop (pressing the window's buttons); the result
    // is the window's result() after it. A null f removes the answer.
    template <class W> void answer(std::function<void(W &)> f)
    {
        if (!f) return remove<W>();
        set<W>([f = std::move(f)](QDialog &d) {
            f(static_cast<W &>(d));
            return d.result();
        });
    }
    template <class W> void remove()
    {
        std::erase_if(m_answers, [](const Answer &a) { return a.type == std::type_index(typeid(W)); });
    }

    int run(QDialog &window) override
    {
        for (const Answer &a : m_answers)
            if (a.matches(window)) {
                const auto answer = a.answer;  // kept while it runs, should it replace itself
                return (*answer)(window);
            }
        return window.exec();
    }

private:
    struct Answer {
        std::type_index type;
        std::function<bool(QDialog &)> matches;
        std::shared_ptr<std::function<int(QDialog &)>> answer;  // one state across runs
    };
    template <class W> void set(std::function<int(QDialog &)> answer)
    {
        auto matches = [](QDialog &d) { return dynamic_cast<W *>(&d) != nullptr; };
        for (Answer &a : m_answers)
            if (a.type == std::type_index(typeid(W))) {
                a.answer = std::make_shared<std::function<int(QDialog &)>>(std::move(answer));
                return;
            }
        m_answers.push_back({std::type_index(typeid(W)), matches,
                             std::make_shared<std::function<int(QDialog &)>>(std::move(answer))});
    }
    std::vector<Answer> m_answers;
};

} // namespace testsupport
