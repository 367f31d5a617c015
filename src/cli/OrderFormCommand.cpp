#include <iostream>

#include "Commands.h"
#include "OpenCatalogue.h"
#include "platform/CodePage.h"
#include "print/core/OrderForm.h"

namespace lumarc {

int RunOrderForm(const std::string& catalogue)
{
    const std::unique_ptr<TOpenCatalogue> opened = OpenCatalogue(catalogue);
    if (!opened)
        return 1;
    TStringList form;
    try {
        form = ReadOrderForm(opened->Container, opened->TreeData);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    for (const std::string& line : form.Strings())
        std::cout << Cp1252ToUtf8(line) << '\n';
    return 0;
}

}  // namespace lumarc
