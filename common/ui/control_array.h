#pragma once

#include <QPointer>
#include <QWidget>

#include <vector>

// The elements of a control array made at run time (board cells, class
// buttons, list rows), element i named "<Name>_i". Clearing removes every
// element above 0 whatever the counters say, and hides element 0: removed
// elements vanish at once (from the screen and from lookups by name) and are
// deleted later, as one of them may be running its own signal.
template <class W>
class ControlArray {
public:
    int size() const { return int(elements_.size()); }
    W* at(int index) const { return elements_.at(std::size_t(index)); }
    W* operator[](int index) const { return at(index); }
    W* first() const { return elements_.empty() ? nullptr : elements_.front().data(); }

    // Adds an element and names it after the array.
    W* append(W* element, const QString& name)
    {
        element->setObjectName(name + u'_' + QString::number(elements_.size()));
        elements_.emplace_back(element);
        return element;
    }

    void clear()
    {
        for (std::size_t i = 0; i < elements_.size(); ++i) {
            W* element = elements_[i];
            if (!element)
                continue;
            element->hide();
            if (i > 0) {
                element->setObjectName(QString());
                element->deleteLater();
            }
        }
        if (elements_.size() > 1)
            elements_.resize(1);
    }

private:
    std::vector<QPointer<W>> elements_;
};
