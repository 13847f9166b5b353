#pragma once
// The icons behind the icon indexes: standard icons from the icon theme (with the style's
// own as fallback), a few drawn here, and file icons found through the MIME database.

#include "browser/IconList.h"

#include <QIcon>
#include <QVector>

namespace quorvex {

class TIconImages {
public:
    TIconImages();
    const QIcon& Icon(int index) const;
    int Count() const { return static_cast<int>(m_icons.size()); }
    TIconList& List() { return m_list; }

    // Uses the desktop's icon theme, or the one installed with the program's packages.
    static void ChooseIconTheme();

private:
    TIconList::TLookup Lookup(const QString& dotExtension);
    QVector<QIcon> m_icons;
    TIconList m_list;
};

} // namespace quorvex
