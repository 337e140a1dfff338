#include "vxfsphireader.h"

#include "vxfsgeometrypath.h"
#include "vxfsphiline.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyitem.h"

#include <QSignalBlocker>

namespace {

// The length of the geometry line's keyword; the path follows it directly.
constexpr int kObjFileLength = 7;

// Bone lines name their depth, name and rotation order at least; shorter ones are skipped.
constexpr int kMinBoneTokens = 3;
constexpr int kMinChainTokens = 2;

} // namespace

VxFSPhiReader::VxFSPhiReader(VxFSHierarchy& hierarchy) : m_hierarchy(hierarchy), m_parents(32) {}

void VxFSPhiReader::readLine(const QByteArray& line)
{
    const VxFSPhiLine parsed(line, m_geometrySeen);
    switch (parsed.kind()) {
    case VxFSPhiLine::Geometry:
        readGeometryLine(parsed.tokens());
        break;
    case VxFSPhiLine::Bone:
        readBoneLine(parsed.tokens(), parsed.depth());
        break;
    case VxFSPhiLine::IKChain:
        readIKChainLine(parsed.tokens());
        break;
    case VxFSPhiLine::Ignored:
        break;
    }
}

void VxFSPhiReader::readGeometryLine(const QStringList& tokens)
{
    // Only the first geometry line counts, whatever becomes of it.
    m_geometrySeen = true;
    const QString& token = tokens.first();
    const QString figureName = token.mid(token.lastIndexOf(QLatin1Char(':')) + 1);
    {
        const QSignalBlocker quiet(&m_hierarchy); // the import names the figure silently
        m_hierarchy.setName(figureName);
    }
    m_hierarchy.setLabel(figureName);

    const QString path = VxFSGeometryPath::resolvePoserPath(token.mid(kObjFileLength));
    if (path.isEmpty())
        return;
    if (VxFSGeomItem* item = m_hierarchy.addGeometry(path)) {
        m_hierarchy.setBaseGeometry(item);
        m_figureGeometry = item;
    }
}

// The depth counter follows the depths of the lines, one level at a time: a deeper line
// opens the previous bone as a parent (however many levels it jumps), a shallower one
// closes parents until the counter comes down to it or no parent is left open.
VxFSHierarchyItem* VxFSPhiReader::openParentFor(int depth)
{
    if (depth > m_depth) {
        if (m_previousBone)
            m_parents.push(m_previousBone);
        ++m_depth;
    }
    while (depth < m_depth && !m_parents.isEmpty()) {
        m_parents.pop();
        --m_depth;
    }
    return m_parents.isEmpty() ? nullptr : m_parents.current();
}

void VxFSPhiReader::readBoneLine(const QStringList& tokens, int depth)
{
    if (tokens.size() < kMinBoneTokens)
        return;
    VxFSHierarchyItem* parent = openParentFor(depth);
    auto* bone = parent ? new VxFSHierarchyItem(parent, tokens[1]) : new VxFSHierarchyItem(&m_hierarchy, tokens[1]);
    m_previousBone = bone;

    const int order = VxFSPhiLine::rotationOrderFromCode(tokens[2]);
    if (order >= 0)
        bone->setRotationOrder(VxRotationOrder(order));

    // Token 3 is "curve" or a geometry path, token 4 a geometry path; a path that resolves
    // to nothing ends the line there.
    VxFSGeomItem* geometry = nullptr;
    for (int index = 3; index < qMin(tokens.size(), 5); ++index) {
        if (index == 3 && tokens[index].toLower() == QLatin1String("curve")) {
            bone->setCurve(true);
            continue;
        }
        const QString path = VxFSGeometryPath::resolvePoserPath(tokens[index]);
        if (path.isEmpty())
            return;
        geometry = m_hierarchy.addGeometry(path);
    }
    if (!geometry)
        geometry = m_figureGeometry;
    if (geometry)
        bone->setGeomGroup(geometry->findGroup(bone->getName()));
}

void VxFSPhiReader::readIKChainLine(const QStringList& tokens)
{
    if (tokens.size() < kMinChainTokens)
        return;
    auto* chain = new VxFSHierarchyIKChain(tokens[1]);
    for (int i = 2; i < tokens.size(); ++i) {
        if (VxFSHierarchyItem* bone = m_hierarchy.findBone(tokens[i]))
            chain->addLink(bone, 1.0f);
    }
    m_hierarchy.adoptIKChain(chain);
}

void VxFSPhiNesting::addLine(const QByteArray& line)
{
    const VxFSPhiLine parsed(line, m_geometrySeen);
    if (parsed.kind() == VxFSPhiLine::Geometry)
        m_geometrySeen = true;
    if (parsed.kind() != VxFSPhiLine::Bone || parsed.tokens().size() < kMinBoneTokens)
        return;
    // The reader's depth counter and stack of open parents, as counts.
    const int depth = parsed.depth();
    if (depth > m_counter) {
        if (m_anyBone)
            ++m_open;
        ++m_counter;
    }
    while (depth < m_counter && m_open > 0) {
        --m_open;
        --m_counter;
    }
    m_anyBone = true;
    m_deepest = qMax(m_deepest, m_open + 1);
}
