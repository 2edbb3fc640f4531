#pragma once

#include "designer/document/ElementData.h"

// Where an element sits and how large it is: single-precision twips from the canvas's top-left
// corner. A move and a resize both write these four values, in one step.
struct ElementGeometry {
    float left = 0.0f;
    float top = 0.0f;
    float width = 0.0f;
    float height = 0.0f;

    bool operator==(const ElementGeometry&) const = default;
};

inline ElementGeometry geometryOf(const ElementData& element)
{
    return {element.left, element.top, element.width, element.height};
}

inline ElementData withGeometry(ElementData element, const ElementGeometry& geometry)
{
    element.left = geometry.left;
    element.top = geometry.top;
    element.width = geometry.width;
    element.height = geometry.height;
    return element;
}
