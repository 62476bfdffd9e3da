// Labels that show their whole text: a translation or the font at hand can make a text wider or
// taller than the label was designed for.
#pragma once

class QWidget;

// Every label of the form that is too small for its text grows: a right-aligned one to the left,
// a centred one to both sides, any other to the right, and in height to both sides, and it is
// moved back inside its parent when growing took it past an edge.
void fitLabelsToText(const QWidget& form);
