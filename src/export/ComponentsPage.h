#pragma once
// components.html: every component of the catalogue in one table, with the viewer's filters
// run in the browser over components-data.js (a script, so that the page works from file://).
// Without a script the table is there all the same, unfiltered.

#include <string>
#include <vector>

#include "search/core/ComponentList.h"

namespace lumarc {

struct TSiteComponent {
    TComponentRow Row;
    bool New = false;  // the outline's mark
};

std::string ComponentsPage(const std::vector<TSiteComponent>& components);
std::string ComponentsData(const std::vector<TSiteComponent>& components);

}  // namespace lumarc
