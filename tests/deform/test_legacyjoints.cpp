// Parametric figures posed by their joints: the example humanoid as the builders make it
// from examples/figure.phi, every bone welded to its parent.
#include "vxskinarmtest.h"

#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

#include "vxapp.h"
#include "vxbone.h"
#include "vxcontentmgr.h"
#include "vxfacegroup.h"
#include "vxfacetmesh.h"
#include "vxlegacybinding.h"
#include "vxlegacyfigure.h"
#include "vxlegacyjoint.h"
#include "vxlegacyjointparam.h"
#include "vxlegacyjointweights.h"
#include "vxobject.h"
#include "vxposechannels.h"
#include "vxselectionmap.h"
#include "vxshape.h"
#include "vxweld.h"

#include <QSignalSpy>

#include <cmath>
#include <map>
#include <set>

namespace {
constexpr float kHalfPi = 1.5707963f;
constexpr float kQuarterPi = 0.7853981f;
constexpr float kPi = 3.1415927f;

void weldToParents(VxFSHierarchyItem* item, VxFSHierarchyItem* parent)
{
    for (; item; item = item->getNextSibling()) {
        item->setWeldTarget(parent);
        weldToParents(item->getFirstChild(), item);
    }
}

// Distance from p to triangle abc: to the plane when p projects inside, else to the nearest
// edge.
float distanceToTriangle(const VxVec3& p, const VxVec3& a, const VxVec3& b, const VxVec3& c)
{
    const auto cross = [](const VxVec3& u, const VxVec3& v) {
        return VxVec3(u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x);
    };
    const auto toSegment = [](const VxVec3& q, const VxVec3& s, const VxVec3& e) {
        const VxVec3 d = e - s;
        const float t = d.dot(d) > 0.0f ? std::clamp((q - s).dot(d) / d.dot(d), 0.0f, 1.0f) : 0.0f;
        return (q - (s + d * t)).length();
    };
    const VxVec3 n = cross(b - a, c - a);
    if (n.length() > 0.0f) {
        const bool inside = cross(b - a, p - a).dot(n) >= 0.0f && cross(c - b, p - b).dot(n) >= 0.0f
                            && cross(a - c, p - c).dot(n) >= 0.0f;
        if (inside)
            return std::fabs((p - a).dot(n)) / n.length();
    }
    return std::min({toSegment(p, a, b), toSegment(p, b, c), toSegment(p, c, a)});
}

class LegacyHumanoidTest : public VxSceneTest
{
protected:
    void SetUp() override
    {
        VxSceneTest::SetUp();
        ASSERT_TRUE(m_app->getContentMgr()->addPoserDirectory(vxSourcePath(QStringLiteral("examples"))));
        m_document.loadPHI(vxSourcePath(QStringLiteral("examples/figure.phi")));
        weldToParents(m_document.getFirstBone(), nullptr);
        m_document.createFigure(false);
        m_figure = qobject_cast<VxLegacyFigure*>(m_scene->findNode(m_document.getName()));
        ASSERT_NE(m_figure, nullptr);
        ASSERT_EQ(m_figure->getNumWelds(), 18);
        m_rest = qobject_cast<VxFacetMesh*>(VxShape::getCurrentShapeForNode(m_figure)->getGeometry());
    }
    VxBone* bone(const char* name) const { return m_figure->findBone(QLatin1String(name)); }
    const VxFacetMesh* posed() const { return qobject_cast<const VxFacetMesh*>(m_figure->getObject()->getCachedGeom()); }
    const std::vector<int>& vertices(const char* name) const { return m_figure->getVertexMap(bone(name)); }

    using Seam = std::pair<const VxNode*, const VxNode*>;
    std::vector<Seam> seams() const
    {
        std::vector<Seam> all;
        for (int w = 0; w < m_figure->getNumWelds(); ++w)
            all.emplace_back(m_figure->getWeld(w)->getWeldBone(), m_figure->getWeld(w)->getTargetBone());
        return all;
    }
    // The largest distance of a welded bone's seam vertex (on the target's skin at rest)
    // from the target's posed skin.
    float widestSeam(const std::vector<Seam>& seams)
    {
        const VxFacetMesh* mesh = posed();
        float widest = 0.0f;
        for (const auto& [welded, target] : seams) {
            std::vector<std::array<int, 3>> triangles;
            const QStringList groups = m_figure->getSelectionMap()->getGroupsOfNode(target);
            for (int f = 0; f < m_rest->getNumFacets(); ++f) {
                if (!groups.contains(m_rest->getFaceGroup(m_rest->getFacetFaceGroup(f))->objectName()))
                    continue;
                for (int c = 2; c < m_rest->getFacetNumVertices(f); ++c)
                    triangles.push_back({m_rest->getFacetVertex(f, 0), m_rest->getFacetVertex(f, c - 1),
                                         m_rest->getFacetVertex(f, c)});
            }
            const auto distance = [&](const VxFacetMesh* m, int v) {
                float best = INFINITY;
                for (const auto& t : triangles)
                    best = std::min(best, distanceToTriangle(m->getVertex(v), m->getVertex(t[0]), m->getVertex(t[1]),
                                                             m->getVertex(t[2])));
                return best;
            };
            for (int v : m_figure->getVertexMap(welded)) {
                if (distance(m_rest, v) <= 1e-6f)
                    widest = std::max(widest, distance(mesh, v));
            }
        }
        return widest;
    }

    VxFSHierarchy m_document;
    VxLegacyFigure* m_figure = nullptr;
    VxFacetMesh* m_rest = nullptr;
};

// The turn of p about the line through o along `axis`, in degrees, from its rest position r.
double turnDegrees(int axis, const VxVec3& o, const VxVec3& r, const VxVec3& p)
{
    const int u = (axis + 1) % 3, v = (axis + 2) % 3;
    const double a = std::atan2(r[v] - o[v], r[u] - o[u]);
    const double b = std::atan2(p[v] - o[v], p[u] - o[u]);
    double d = (b - a) * 180.0 / M_PI;
    return d < -180.0 ? d + 360.0 : (d > 180.0 ? d - 360.0 : d);
}
} // namespace

TEST(LegacyJointWeights, TheAngularZoneReadsTheBuildersAngleTables)
{
    const std::array<float, 4> alongX{{kHalfPi, kQuarterPi, -kQuarterPi, -kHalfPi}};
    const std::array<float, 4> alongY{{kPi, 3 * kQuarterPi, kQuarterPi, 0.0f}};
    const std::array<float, 4> alongZbendX{{-kHalfPi, -3 * kQuarterPi, 3 * kQuarterPi, kHalfPi}};
    const float c = float(std::cos(3 * M_PI / 8)), s = float(std::sin(3 * M_PI / 8)); // 67.5 degrees
    const struct
    {
        int axis;
        std::array<float, 4> angles;
        VxVec3 offset;
        float expected;
    } cases[] = {
        {2, alongX, {1, -1, 0}, 1.0f},  {2, alongX, {c, s, 0}, 0.5f},      {2, alongX, {0, 1, 0}, 0.0f},
        {1, alongX, {1, 5, 0.5f}, 1.0f}, {1, alongX, {-1, 0, -1}, 0.0f},   {0, alongY, {0, 1, 1}, 1.0f},
        {0, alongY, {0, 0, -1}, 0.0f},   {2, alongY, {-c, s, 0}, 1.0f},    {0, alongZbendX, {0, 0, 1}, 1.0f},
        {0, alongZbendX, {0, 0, -1}, 0.0f}, {2, {{0, 0, 0, 0}}, {-1, 0, 0}, 1.0f},
    };
    for (const auto& k : cases) {
        EXPECT_NEAR(VxLegacyJointWeights::angularFactor(k.axis, k.angles, k.offset), k.expected, 1e-5f)
            << "axis " << k.axis << " offset " << k.offset.x << " " << k.offset.y << " " << k.offset.z;
    }
}

TEST_F(LegacyHumanoidTest, TheElbowBendsWithTheJointsZone)
{
    VxBone* foreArm = bone("lForeArm");
    const VxVec3 o = foreArm->getOrigin(false);
    ASSERT_TRUE(VxPoseChannels::setRotation(foreArm, {0.0f, 0.0f, 90.0f}));
    const VxFacetMesh* mesh = posed();
    ASSERT_NE(mesh, nullptr);

    std::set<int> moving(vertices("lForeArm").begin(), vertices("lForeArm").end());
    for (int v : vertices("lHand")) {
        moving.insert(v);
        EXPECT_NEAR(turnDegrees(2, o, m_rest->getVertex(v), mesh->getVertex(v)), 90.0, 1e-3);
    }
    for (int v = 0; v < m_rest->getNumVertices(); ++v) {
        if (!moving.count(v)) {
            ASSERT_EQ(mesh->getVertex(v), m_rest->getVertex(v)) << "vertex " << v << " moved";
        }
    }
    // Along each line of the forearm's lattice (same y and z) the turn grows from nothing
    // at the elbow to the full bend once a vertex is farther out than off the axis.
    std::map<std::pair<float, float>, std::map<float, double>> lines;
    for (int v : vertices("lForeArm")) {
        const VxVec3 r = m_rest->getVertex(v);
        const double turn = turnDegrees(2, o, r, mesh->getVertex(v));
        lines[std::make_pair(r.y, r.z)][r.x] = turn;
        // Full once the vertex lies within 45 degrees of the bone's direction.
        if (r.x - o.x >= std::fabs(r.y - o.y) + 1e-4f) {
            EXPECT_NEAR(turn, 90.0, 1e-3) << r.x << " " << r.y << " " << r.z;
        }
    }
    int between = 0;
    for (const auto& [where, line] : lines) {
        double previous = 0.0;
        for (const auto& [x, turn] : line) {
            EXPECT_GE(turn, previous - 1e-3) << "at x " << x << " y " << where.first;
            between += turn > 1.0 && turn < 89.0;
            previous = turn;
        }
        if (std::fabs(where.first - o.y) > 1e-3f) {
            EXPECT_NEAR(line.begin()->second, 0.0, 1e-3) << "the elbow's own ring stays";
        }
    }
    EXPECT_GE(between, 4); // the first ring past the elbow blends

    // Without its angles the joint turns the whole forearm but its welded end cap.
    QSignalSpy stale(m_figure->getObject(), &VxObject::cachedGeomChanged);
    m_figure->findBinding()->findJoint(foreArm)->findJointParam(QStringLiteral("jointz"))->setApplyAngles(false);
    EXPECT_EQ(stale.count(), 1);
    mesh = posed();
    for (int v : vertices("lForeArm")) {
        const VxVec3 r = m_rest->getVertex(v);
        if (std::fabs(r.y - o.y) > 1e-3f && r.x > o.x) {
            EXPECT_NEAR(turnDegrees(2, o, r, mesh->getVertex(v)), 90.0, 1e-3) << r.x << " " << r.y;
        }
    }
}

TEST_F(LegacyHumanoidTest, TwistGrowsAlongTheBone)
{
    VxBone* foreArm = bone("lForeArm");
    const VxVec3 o = foreArm->getOrigin(false);
    const float length = foreArm->getEndPoint(false).x - o.x;
    ASSERT_TRUE(VxPoseChannels::setRotation(foreArm, {90.0f, 0.0f, 0.0f}));
    const VxFacetMesh* mesh = posed();
    for (int v : vertices("lForeArm")) {
        const VxVec3 r = m_rest->getVertex(v);
        EXPECT_NEAR(turnDegrees(0, o, r, mesh->getVertex(v)), 90.0 * (r.x - o.x) / length, 1e-3) << r.x;
    }
    for (int v : vertices("lHand"))
        EXPECT_NEAR(turnDegrees(0, o, m_rest->getVertex(v), mesh->getVertex(v)), 90.0, 1e-3);
}

TEST_F(LegacyHumanoidTest, WeldedSeamsStayClosed)
{
    const struct
    {
        const char* bone;
        VxVec3 degrees;
    } pose[] = {{"chest", {60, 20, -15}}, {"abdomen", {-10, 25, 30}}, {"neck", {0, 40, 20}},
                {"lCollar", {0, 20, 30}}, {"lShldr", {30, 30, 45}},  {"lForeArm", {45, 10, 90}},
                {"lHand", {0, 20, 50}},   {"rThigh", {-70, 10, 10}}, {"rShin", {90, 0, 0}},
                {"rFoot", {30, 0, 20}}};
    for (const auto& p : pose)
        ASSERT_TRUE(VxPoseChannels::setRotation(bone(p.bone), p.degrees)) << p.bone;
    const std::vector<Seam> welded = seams();
    EXPECT_LT(widestSeam(welded), 1e-5f);

    // Without the welds some seams open: the check above can tell.
    while (m_figure->getNumWelds() > 0)
        m_figure->removeWeld(m_figure->getWeld(0));
    EXPECT_GT(widestSeam(welded), 1e-3f);
}
