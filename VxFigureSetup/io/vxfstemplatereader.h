#pragma once

class QDomDocument;
class QDomElement;
class VxFSHierarchy;
class VxFSHierarchyItem;
class VxFSRegionItem;

// Fills a hierarchy document from the elements of a figure template, leniently: unknown
// elements are skipped, missing or unreadable attributes take their defaults, references
// to bones not read yet and geometry that cannot be found are dropped. The geometry list
// and the chain list grow without signals; names follow the document's name rules.
class VxFSTemplateReader
{
public:
    // Every Figure of every VexelHierarchyPreset element, in order, into `hierarchy`.
    static void read(VxFSHierarchy& hierarchy, const QDomDocument& document);

    static void readFigureElement(VxFSHierarchy& hierarchy, const QDomElement& element);
    // Into a bone already linked in with its defaults, creating the child bones it lists.
    static void readElement(VxFSHierarchyItem& bone, const QDomElement& element);
    // Into a region already linked in, creating the child regions it lists.
    static void readElement(VxFSRegionItem& region, const QDomElement& element);

private:
    static void readIKChain(VxFSHierarchy& hierarchy, const QDomElement& element);
};
