#pragma once

#include <QString>

#include <array>

// What the printouts read from the business setup, taken at the time of printing.
struct PrintSettings
{
    enum class AddressStyle
    {
        Usa,
        International
    };
    enum class Paper
    {
        Plain,
        Remittance
    };

    // The business profile, fields 1 to 9: name, street, second street line, city
    // (or third line), state (or fourth line), ZIP, telephone, two extra lines.
    std::array<QString, 9> business;
    AddressStyle addressStyle = AddressStyle::Usa;
    Paper paper = Paper::Plain;

    bool colourPrinting = true;
    quint32 borderColour = 0; // 0x00BBGGRR
    quint32 textColour = 0;
    // The ink of the invoice frame and the rules drawn after it.
    quint32 frameColour = 0;
    QString fontName = QStringLiteral("Arial");
    int copies = 3;
    // Beside the two tax totals.
    QString taxHeading1 = QStringLiteral("Sales Tax");
    QString taxHeading2 = QStringLiteral("Tax");

    // Empty when no logo is stored. The size is the size the logo is printed at.
    QString logoPath;
    double logoWidth = 1440;
    double logoHeight = 1440;
};
