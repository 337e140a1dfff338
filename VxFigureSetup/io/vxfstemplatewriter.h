#pragma once

class QDomDocument;
class QDomElement;
class VxFSHierarchy;
class VxFSHierarchyItem;
class VxFSRegionItem;

// Turns a hierarchy document into the elements of a figure template: the Figure with its
// base geometry, the bone tree (each bone with its weld targets, face group, alternate
// geometries and child bones), the IK chains, the region tree and the geometry list, in
// that order. Attribute values are written as the reader expects them (VxFSTemplateReader).
class VxFSTemplateWriter
{
public:
    // A DOM document holding the whole template.
    static QDomDocument write(const VxFSHierarchy& hierarchy);

    static void writeFigureElement(const VxFSHierarchy& hierarchy, QDomDocument& document, QDomElement& parent);
    // A "Bone" element with every child bone below it.
    static void writeElement(const VxFSHierarchyItem& bone, QDomDocument& document, QDomElement& parent);
    // A "Region" element with every child region below it.
    static void writeElement(const VxFSRegionItem& region, QDomDocument& document, QDomElement& parent);

    // How deep the elements of the template would nest, the document element counting as 1;
    // found without recursion, so that a forest too deep to be written is told before the
    // writer's recursion starts.
    static int savedDepth(const VxFSHierarchy& hierarchy);
};
