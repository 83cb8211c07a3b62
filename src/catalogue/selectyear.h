#pragma once

class Form1;

// Shows the first ad of year button i, counts the year's ads and lays out the
// stepping row. A first picture that cannot be loaded asks for the medium.
void SelectYear(Form1& form, int i);
