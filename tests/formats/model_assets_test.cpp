// The 35 generated models: what the game relies on without checking (faces with area, winding, closed
// shadow casters), the shadow pass's face budgets, and a keeper of the scene's height whose limbs really
// move through the cycles.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "formats/model_geometry.h"
#include "keeper_model.h"
#include "model_set.h"
#include "scenery_models.h"
#include "shape_math.h"

namespace {

const std::vector<GeneratedModel>& models() {
    static const std::vector<GeneratedModel> set = buildModelSet();
    return set;
}

const Model& modelAt(const std::string& path) {
    for (const GeneratedModel& generated : models()) {
        if (generated.path == path) return generated.model;
    }
    ADD_FAILURE() << "no model " << path;
    static const Model empty;
    return empty;
}

Vec3 corner(const Model& model, const ModelFace& face, int k) {
    return model.positions[static_cast<std::size_t>(face.vertexIndex[k])];
}

float length(Vec3 v) {
    return std::sqrt(dot(v, v));
}

struct Extent {
    Vec3 low{1e9f, 1e9f, 1e9f};
    Vec3 high{-1e9f, -1e9f, -1e9f};
};

// Extent of the vertices used by the faces of the given texture slot, or by every face when slot is 0.
Extent extentOf(const Model& model, int slot = 0) {
    std::vector<bool> counts(model.faces.size(), slot == 0);
    for (const ModelMaterial& material : model.materials) {
        if (material.textureSlot != slot) continue;
        for (int f = material.firstFace; f <= material.lastFace; ++f)
            counts[static_cast<std::size_t>(f)] = true;
    }
    Extent e;
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        if (!counts[f]) continue;
        for (int k = 0; k < 3; ++k) {
            const Vec3 p = corner(model, model.faces[f], k);
            e.low = {std::min(e.low.x, p.x), std::min(e.low.y, p.y), std::min(e.low.z, p.z)};
            e.high = {std::max(e.high.x, p.x), std::max(e.high.y, p.y), std::max(e.high.z, p.z)};
        }
    }
    return e;
}

// Connected parts by shared vertex index: each closed part must enclose its own volume.
std::vector<std::vector<int>> partsOf(const Model& model) {
    std::vector<int> parent(model.positions.size());
    for (std::size_t i = 0; i < parent.size(); ++i) parent[i] = static_cast<int>(i);
    auto root = [&](int v) {
        while (parent[static_cast<std::size_t>(v)] != v) v = parent[static_cast<std::size_t>(v)];
        return v;
    };
    for (const ModelFace& face : model.faces) {
        for (int k = 1; k < 3; ++k)
            parent[static_cast<std::size_t>(root(face.vertexIndex[k]))] = root(face.vertexIndex[0]);
    }
    std::vector<std::vector<int>> parts;
    std::vector<int> partOfRoot(parent.size(), -1);
    for (int f = 0; f < model.faceCount; ++f) {
        const int r = root(model.faces[static_cast<std::size_t>(f)].vertexIndex[0]);
        int& part = partOfRoot[static_cast<std::size_t>(r)];
        if (part < 0) {
            part = static_cast<int>(parts.size());
            parts.emplace_back();
        }
        parts[static_cast<std::size_t>(part)].push_back(f);
    }
    return parts;
}

// How many times the part's surface wraps around p: about 1 inside a closed, outward-wound part, 0
// outside (the solid angles of its triangles summed, over 4 pi).
float windingNumber(const Model& model, const std::vector<int>& part, Vec3 p) {
    double total = 0.0;
    for (const int f : part) {
        const ModelFace& face = model.faces[static_cast<std::size_t>(f)];
        const Vec3 a = vecSub(corner(model, face, 0), p);
        const Vec3 b = vecSub(corner(model, face, 1), p);
        const Vec3 c = vecSub(corner(model, face, 2), p);
        const float la = length(a), lb = length(b), lc = length(c);
        const double numerator = dot(a, cross(b, c));
        const double denominator = la * lb * lc + dot(a, b) * lc + dot(b, c) * la + dot(c, a) * lb;
        total += 2.0 * std::atan2(numerator, denominator);
    }
    return static_cast<float>(total / (4.0 * 3.14159265358979));
}

// A face without area has no normal to light it by; an unpaired edge of a closed model lets its shadow
// volume leak. The tiles are open: their border is their only unpaired edges.
TEST(GeneratedModels, HaveNoDegenerateFacesAndClosedOnesNoOpenEdges) {
    for (const GeneratedModel& generated : models()) {
        int openEdges = 0;
        for (const ModelFace& face : generated.model.faces) {
            EXPECT_NEAR(length(face.faceNormal), 1.0f, 1e-5f) << generated.path;
            for (const int n : face.neighbour) openEdges += n == 0 ? 1 : 0;
        }
        EXPECT_EQ(openEdges == 0, generated.closed) << generated.path << ": " << openEdges << " open edges";
    }
}

TEST(GeneratedModels, FacesLookOutwards) {
    // Every face of the scenery and of a few keeper frames is tested where it stands; every part of
    // every frame must at least enclose a positive volume. The frames share their construction.
    const std::set<std::string> faceByFace = {"Models/Bin/Cube.s3d", "Models/Bin/Crate.s3d",
                                              "Models/Bin/Character/005.s3d",
                                              "Models/Bin/Character/push/008.s3d"};
    for (const GeneratedModel& generated : models()) {
        const Model& model = generated.model;
        if (!generated.closed) {
            // The tiles are seen from above.
            for (const ModelFace& face : model.faces) EXPECT_GT(face.faceNormal.y, 0.99f) << generated.path;
            continue;
        }
        for (const std::vector<int>& part : partsOf(model)) {
            double volume = 0.0;
            for (const int f : part) {
                const ModelFace& face = model.faces[static_cast<std::size_t>(f)];
                volume +=
                    dot(corner(model, face, 0), cross(corner(model, face, 1), corner(model, face, 2))) / 6.0;
            }
            EXPECT_GT(volume, 1e-5) << generated.path;
            if (faceByFace.count(generated.path) == 0) continue;
            for (const int f : part) {
                const ModelFace& face = model.faces[static_cast<std::size_t>(f)];
                const Vec3 centre = vecScale(
                    vecAdd(vecAdd(corner(model, face, 0), corner(model, face, 1)), corner(model, face, 2)),
                    1.0f / 3.0f);
                const Vec3 step = vecScale(face.faceNormal, 2e-3f);
                ASSERT_NEAR(windingNumber(model, part, vecAdd(centre, step)), 0.0f, 0.1f)
                    << generated.path << " face " << f;
                ASSERT_NEAR(windingNumber(model, part, vecSub(centre, step)), 1.0f, 0.1f)
                    << generated.path << " face " << f;
            }
        }
    }
}

TEST(GeneratedModels, FaceCountsStayWithinTheShadowPassBudget) {
    EXPECT_LE(modelAt("Models/Bin/Ground_Plane1.s3d").faceCount, 12);
    EXPECT_LE(modelAt("Models/Bin/Cube.s3d").faceCount, 12);
    EXPECT_LE(modelAt("Models/Bin/Crate.s3d").faceCount, 100);
    EXPECT_LE(modelAt("Models/Bin/Ground_Plane2.s3d").faceCount, 64);
    for (std::size_t i = 4; i < models().size(); ++i)
        EXPECT_LE(models()[i].model.faceCount, 600) << models()[i].path;
}

// The goal tile is blended over the floor tile: at the same height the two would flicker.
TEST(SceneryModels, GoalTileLiesJustAboveTheFloorTile) {
    const Extent floor = extentOf(modelAt("Models/Bin/Ground_Plane1.s3d"));
    const Extent goal = extentOf(modelAt("Models/Bin/Ground_Plane2.s3d"));
    EXPECT_GT(goal.low.y, floor.high.y);
    EXPECT_LT(goal.high.y, floor.high.y + 0.01f);
}

TEST(KeeperModel, StandsOnTheFloorAtTheReferenceHeightFacingPlusZ) {
    for (std::size_t i = 4; i < models().size(); ++i) {
        const Extent body = extentOf(models()[i].model);
        EXPECT_NEAR(body.low.y, -kKeeperHeight, 1e-4f) << models()[i].path;
        EXPECT_GT(body.high.y - body.low.y, 1.15f) << models()[i].path;
        EXPECT_LT(body.high.y - body.low.y, 1.4f) << models()[i].path;
        EXPECT_LT(std::max(-body.low.x, body.high.x), 0.45f) << models()[i].path;
    }
    // Standing: the nose is the frontmost point of the head, ahead of the head's middle.
    const Extent head = extentOf(modelAt("Models/Bin/Character/000.s3d"), kSlotHead);
    EXPECT_GT(head.high.z, 0.12f);
    EXPECT_GT(head.high.z, -head.low.z + 0.02f);
}

TEST(KeeperModel, LegsAndArmsSwingThroughTheWalkCycle) {
    float frontmostFoot[kWalkFrameCount];
    for (int frame = 0; frame < kWalkFrameCount; ++frame) {
        frontmostFoot[frame] =
            extentOf(models()[static_cast<std::size_t>(4 + frame)].model, kSlotLegs).high.z;
    }
    const auto [least, most] = std::minmax_element(frontmostFoot + 1, frontmostFoot + kWalkFrameCount);
    EXPECT_GT(*most - *least, 0.15f) << "legs hardly move";
    // Heel strikes at frames 5 and 12, where the game plays the footsteps: a foot is far forward there.
    EXPECT_GT(frontmostFoot[5], frontmostFoot[0] + 0.2f);
    EXPECT_GT(frontmostFoot[12], frontmostFoot[0] + 0.2f);
    // Consecutive frames differ, also across the wrap from 15 back to 1.
    for (int frame = 1; frame < kWalkFrameCount; ++frame) {
        const int next = frame == kWalkFrameCount - 1 ? 1 : frame + 1;
        EXPECT_NE(encodeModel(models()[static_cast<std::size_t>(4 + frame)].model),
                  encodeModel(models()[static_cast<std::size_t>(4 + next)].model));
    }
}

TEST(KeeperModel, PushingHandsRestOnTheCrateAheadWhileTheLegsWalk) {
    const float crateFace = 1.0f - kCrateHalfSize;
    float frontmostFoot[kPushFrameCount];
    for (int frame = 1; frame <= kPushFrameCount; ++frame) {
        const Model& model = modelAt("Models/Bin/Character/push/" + std::string(frame < 10 ? "00" : "0") +
                                     std::to_string(frame) + ".s3d");
        const Extent all = extentOf(model);
        EXPECT_LT(all.high.z, crateFace) << frame;          // never inside the crate
        EXPECT_GT(all.high.z, crateFace - 0.03f) << frame;  // but touching it
        frontmostFoot[frame - 1] = extentOf(model, kSlotLegs).high.z;
    }
    const auto [least, most] = std::minmax_element(frontmostFoot, frontmostFoot + kPushFrameCount);
    EXPECT_GT(*most - *least, 0.1f) << "legs hardly move";
}

}  // namespace
