#include "keeper_model.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "mesh_builder.h"
#include "scenery_models.h"
#include "shapes.h"

// Sections: body measurements; poses (standing, walking, pushing); the skeleton (joint positions from a
// pose, the soles put on the floor, the arms reaching for the box); the mesh over the skeleton.

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kTurn = 2.0f * kPi;

// ---- Body measurements, in cells ----

// The limbs move in planes across this axis; it fixes the turn of their cross-sections.
constexpr Vec3 kSide{1.0f, 0.0f, 0.0f};

constexpr float kHipSpread = 0.085f;  // hip joints at x = +-kHipSpread
constexpr float kThigh = 0.28f;
constexpr float kShin = 0.27f;
constexpr Vec3 kShoeHalf{0.046f, 0.0375f, 0.11f};
constexpr Vec3 kShoeCentre{0.0f, -0.0375f, 0.045f};  // from the ankle, in the shoe's own frame
constexpr float kHipRadius = 0.078f;
constexpr float kKneeRadius = 0.058f;
constexpr float kAnkleRadius = 0.045f;

constexpr float kSpineBase = 0.02f;        // above the hip joints
constexpr float kShoulderHeight = 0.335f;  // along the spine
constexpr float kShoulderSpread = 0.2f;
constexpr float kUpperArm = 0.25f;
constexpr float kForearm = 0.22f;
constexpr float kHandLength = 0.09f;
constexpr Vec3 kHandHalf{0.02f, 0.045f, 0.032f};        // along the forearm: thickness, length, width
constexpr Vec3 kPalmOnBoxHalf{0.032f, 0.045f, 0.018f};  // upright against the crate: width, height, thickness
constexpr float kShoulderRadius = 0.052f;
constexpr float kElbowRadius = 0.04f;
constexpr float kWristRadius = 0.033f;

constexpr float kNeckTop = 0.44f;    // along the spine
constexpr float kHeadLift = 0.095f;  // head centre above the neck top
constexpr Vec3 kHeadRadii{0.115f, 0.13f, 0.12f};

// Torso cross-sections from the crotch to the neck: height along the spine, half width, half depth.
struct TorsoSection {
    float height;
    float halfWidth;
    float halfDepth;
};
constexpr TorsoSection kTorso[] = {
    {-0.07f, 0.135f, 0.09f}, {0.0f, 0.16f, 0.105f},  {0.12f, 0.145f, 0.095f},  {0.26f, 0.18f, 0.11f},
    {0.35f, 0.19f, 0.105f},  {0.40f, 0.10f, 0.075f}, {kNeckTop, 0.05f, 0.05f},
};

// Texture scales: a tiling cloth texture spans this many cells.
constexpr float kClothTextureSize = 0.4f;
// Hands and nose take a single skin-coloured spot of the head texture: the chin, below the face's centre.
constexpr TexCoord kSkinSpot{0.25f, 0.3f};

// Crate face the pushing hands rest on, one cell ahead of the keeper: z of the face, hand height.
constexpr float kCrateFaceZ = 1.0f - kCrateHalfSize - 0.005f;
constexpr float kPushHandHeight = 0.6f;  // middle of the palm above the floor
constexpr float kPushHandSpread = 0.15f;
constexpr Vec3 kWristBehindPalm{0.0f, -0.04f, -0.045f};

// ---- Poses ----

// 1 at centre, falling to 0 at centre +- halfWidth along the cycle (which wraps at 1).
float bump(float phase, float centre, float halfWidth) {
    float distance = std::fabs(phase - centre);
    distance -= std::floor(distance);
    distance = std::min(distance, 1.0f - distance);
    return distance < halfWidth ? 0.5f * (1.0f + std::cos(kPi * distance / halfWidth)) : 0.0f;
}

// Left heel strikes at walk frame 5 and the right one half a cycle later (frame 12.5), in time with the
// footstep sounds the game starts at frames 5 and 12.
constexpr float kLeftHeelStrike = 4.0f / 15.0f;

// A leg `phase` of a cycle after its heel strike: the thigh swings back through the stance and forward
// again, the knee gives a little on landing and folds deeply while the foot swings through.
LegPose legInCycle(float phase, float stride, float bias, float kneeBase) {
    LegPose leg;
    leg.swing = bias + stride * std::cos(kTurn * phase);
    leg.knee = kneeBase + 0.2f * bump(phase, 0.1f, 0.12f) + 0.95f * bump(phase, 0.72f, 0.2f);
    leg.footPitch = 0.6f * (leg.swing - leg.knee);
    return leg;
}

}  // namespace

KeeperPose standingPose() {
    KeeperPose pose;
    for (int side = 0; side < 2; ++side) {
        pose.legs[side].knee = 0.03f;
        pose.arms[side].spread = 0.12f;
        pose.arms[side].elbow = 0.12f;
    }
    return pose;
}

KeeperPose walkingPose(float phase) {
    constexpr float stride = 0.45f;
    constexpr float armSwing = 0.4f;
    KeeperPose pose;
    const float legPhase[2] = {phase - kLeftHeelStrike, phase - kLeftHeelStrike - 0.5f};
    for (int side = 0; side < 2; ++side) {
        pose.legs[side] = legInCycle(legPhase[side], stride, 0.0f, 0.06f);
        // Each arm swings against the leg on its own side.
        const float swing = -armSwing * std::cos(kTurn * legPhase[side]);
        pose.arms[side].swing = swing;
        pose.arms[side].spread = 0.12f;
        pose.arms[side].elbow = 0.2f + 0.35f * std::max(0.0f, swing) / armSwing;
    }
    pose.lean = 0.05f;
    pose.twist = 0.12f * std::cos(kTurn * legPhase[0]);  // the shoulders turn against the hips
    return pose;
}

KeeperPose pushingPose(float phase) {
    KeeperPose pose;
    const float legPhase[2] = {phase - kLeftHeelStrike, phase - kLeftHeelStrike - 0.5f};
    for (int side = 0; side < 2; ++side) pose.legs[side] = legInCycle(legPhase[side], 0.42f, -0.2f, 0.2f);
    pose.lean = 0.42f;
    pose.twist = 0.05f * std::cos(kTurn * legPhase[0]);
    pose.handsOnBox = true;
    return pose;
}

namespace {

// ---- Skeleton ----

struct LegJoints {
    Vec3 hip, knee, ankle;
    Basis shoe;
};

struct ArmJoints {
    Vec3 shoulder, elbow, wrist;
    Frame hand;  // centre and orientation of the hand box
    Vec3 handHalf;
};

struct Skeleton {
    LegJoints legs[2];
    ArmJoints arms[2];
    Vec3 spineBase;
    Basis torso;  // upright part of the spine; the shoulders turn further by the twist
    float twist = 0.0f;
    Frame head;
};

float sideSign(int side) {
    return side == 0 ? 1.0f : -1.0f;
}

Vec3 along(Basis basis, float length) {
    return apply(basis, {0.0f, -length, 0.0f});
}

Basis torsoAt(const Skeleton& skeleton, float twistShare) {
    return compose(skeleton.torso, rotationY(skeleton.twist * twistShare));
}

// Places the elbow so that the forearm ends at the wrist target: the two-bone reach in the plane through
// the shoulder and the target that holds the pole direction, where the elbow points. A target out of
// reach is approached as far as the straight arm goes.
ArmJoints reach(Vec3 shoulder, Vec3 wrist, Vec3 pole) {
    const Vec3 toWrist = vecSub(wrist, shoulder);
    const float distance = std::clamp(std::sqrt(dot(toWrist, toWrist)), kUpperArm - kForearm + 0.01f,
                                      kUpperArm + kForearm - 0.001f);
    const Vec3 u = normalised(toWrist);
    const Vec3 w = normalised(vecSub(pole, vecScale(u, dot(pole, u))));
    const float cosine =
        (kUpperArm * kUpperArm + distance * distance - kForearm * kForearm) / (2.0f * kUpperArm * distance);
    const float sine = std::sqrt(std::max(0.0f, 1.0f - cosine * cosine));
    ArmJoints arm;
    arm.shoulder = shoulder;
    arm.elbow = vecAdd(shoulder, vecScale(vecAdd(vecScale(u, cosine), vecScale(w, sine)), kUpperArm));
    arm.wrist = vecAdd(shoulder, vecScale(u, distance));
    return arm;
}

Skeleton buildSkeleton(const KeeperPose& pose) {
    Skeleton skeleton;
    // Legs from hips at height 0, then the whole figure lifted so that the lowest shoe corner touches the
    // floor: the standing foot carries the body and the hips bob through the stride.
    float lowest = 0.0f;
    for (int side = 0; side < 2; ++side) {
        const LegPose& leg = pose.legs[side];
        LegJoints& joints = skeleton.legs[side];
        const Basis thigh = rotationX(-leg.swing);
        const Basis shin = rotationX(-leg.swing + leg.knee);
        joints.hip = {sideSign(side) * kHipSpread, 0.0f, 0.0f};
        joints.knee = vecAdd(joints.hip, along(thigh, kThigh));
        joints.ankle = vecAdd(joints.knee, along(shin, kShin));
        joints.shoe = rotationX(-leg.footPitch);
        for (int corner = 0; corner < 8; ++corner) {
            const Vec3 local{(corner & 1) ? kShoeHalf.x : -kShoeHalf.x,
                             (corner & 2) ? kShoeHalf.y : -kShoeHalf.y,
                             (corner & 4) ? kShoeHalf.z : -kShoeHalf.z};
            const Vec3 point = vecAdd(joints.ankle, apply(joints.shoe, vecAdd(kShoeCentre, local)));
            lowest = std::min(lowest, point.y);
        }
    }
    const Vec3 lift{0.0f, -kKeeperHeight - lowest, 0.0f};
    for (LegJoints& joints : skeleton.legs) {
        joints.hip = vecAdd(joints.hip, lift);
        joints.knee = vecAdd(joints.knee, lift);
        joints.ankle = vecAdd(joints.ankle, lift);
    }

    skeleton.spineBase = vecAdd(lift, {0.0f, kSpineBase, 0.0f});
    skeleton.torso = rotationX(pose.lean);
    skeleton.twist = pose.twist;
    const Basis shoulders = torsoAt(skeleton, 1.0f);
    for (int side = 0; side < 2; ++side) {
        const Vec3 shoulder = vecAdd(
            skeleton.spineBase, apply(shoulders, {sideSign(side) * kShoulderSpread, kShoulderHeight, 0.0f}));
        if (pose.handsOnBox) {
            // Palms flat and upright against the crate face, the wrists just behind and below them.
            const Vec3 palm{sideSign(side) * kPushHandSpread, kPushHandHeight - kKeeperHeight,
                            kCrateFaceZ - kPalmOnBoxHalf.z};
            ArmJoints& joints = skeleton.arms[side];
            joints = reach(shoulder, vecAdd(palm, kWristBehindPalm), {sideSign(side) * 0.5f, -1.0f, 0.0f});
            joints.hand = {palm, Basis{}};
            joints.handHalf = kPalmOnBoxHalf;
            continue;
        }
        const ArmPose& arm = pose.arms[side];
        const Basis upper =
            compose(shoulders, compose(rotationX(-arm.swing), rotationZ(sideSign(side) * arm.spread)));
        const Basis fore = compose(upper, rotationX(-arm.elbow));
        ArmJoints& joints = skeleton.arms[side];
        joints.shoulder = shoulder;
        joints.elbow = vecAdd(shoulder, along(upper, kUpperArm));
        joints.wrist = vecAdd(joints.elbow, along(fore, kForearm));
        joints.hand =
            frameAlong(vecAdd(joints.wrist, along(fore, 0.5f * kHandLength)), along(fore, 1.0f), kSide);
        joints.handHalf = kHandHalf;
    }

    // The head keeps most of its gaze level when the body leans.
    const Basis head = compose(shoulders, rotationX(-0.7f * pose.lean));
    const Vec3 neckTop = vecAdd(skeleton.spineBase, apply(shoulders, {0.0f, kNeckTop, 0.0f}));
    skeleton.head = {vecAdd(neckTop, apply(head, {0.0f, kHeadLift, 0.0f})), head};
    return skeleton;
}

// ---- Mesh ----

// A limb tube through joints, the rings turned halfway between the bones that meet there.
void addLimb(MeshBuilder& builder, const std::vector<Vec3>& joints, const std::vector<float>& radii,
             int segments, float startCap, float endCap) {
    std::vector<TubeRing> rings;
    float travelled = 0.0f;
    for (std::size_t i = 0; i < joints.size(); ++i) {
        const Vec3 in = i > 0 ? normalised(vecSub(joints[i], joints[i - 1])) : Vec3{};
        const Vec3 out = i + 1 < joints.size() ? normalised(vecSub(joints[i + 1], joints[i])) : Vec3{};
        if (i > 0)
            travelled += std::sqrt(dot(vecSub(joints[i], joints[i - 1]), vecSub(joints[i], joints[i - 1])));
        TubeRing ring;
        ring.frame = frameAlong(joints[i], vecAdd(in, out), kSide);
        ring.radiusX = ring.radiusZ = radii[i];
        ring.v = travelled / kClothTextureSize;
        rings.push_back(ring);
    }
    TubeStyle style;
    style.segments = segments;
    style.startCap = startCap;
    style.endCap = endCap;
    style.startCapV = -startCap / kClothTextureSize;
    style.endCapV = (travelled + endCap) / kClothTextureSize;
    addTube(builder, rings, style);
}

void addLegs(MeshBuilder& builder, const Skeleton& skeleton) {
    builder.setTextureSlot(kSlotLegs);
    for (const LegJoints& leg : skeleton.legs) {
        // The thigh starts inside the hips so that no gap opens when it swings.
        const Vec3 top = vecAdd(leg.hip, vecScale(normalised(vecSub(leg.hip, leg.knee)), 0.05f));
        addLimb(builder, {top, leg.knee, leg.ankle}, {kHipRadius, kKneeRadius, kAnkleRadius}, 8, 0.04f,
                0.02f);
        BoxTexturing shoe;
        shoe.sideSlot = shoe.topSlot = shoe.bottomSlot = kSlotLegs;
        shoe.textureSize = kClothTextureSize;
        addBox(builder, {vecAdd(leg.ankle, apply(leg.shoe, kShoeCentre)), leg.shoe}, kShoeHalf, shoe);
    }
}

void addTorso(MeshBuilder& builder, const Skeleton& skeleton) {
    builder.setTextureSlot(kSlotBody);
    std::vector<TubeRing> rings;
    const float neck = kTorso[std::size(kTorso) - 1].height;
    for (const TorsoSection& section : kTorso) {
        const float share = std::clamp(section.height / kShoulderHeight, 0.0f, 1.0f);
        TubeRing ring;
        ring.frame.basis = torsoAt(skeleton, share);
        ring.frame.origin = vecAdd(skeleton.spineBase, apply(skeleton.torso, {0.0f, section.height, 0.0f}));
        ring.radiusX = section.halfWidth;
        ring.radiusZ = section.halfDepth;
        ring.v = (section.height - kTorso[0].height) / kClothTextureSize;
        rings.push_back(ring);
    }
    TubeStyle style;
    style.segments = 8;
    style.uPerTurn = 2.0f;
    style.startCap = 0.03f;
    style.endCap = 0.0f;
    style.startCapV = rings.front().v - style.startCap / kClothTextureSize;
    style.endCapV = (neck - kTorso[0].height) / kClothTextureSize;
    addTube(builder, rings, style);
}

void addArms(MeshBuilder& builder, const Skeleton& skeleton) {
    builder.setTextureSlot(kSlotBody);
    for (const ArmJoints& arm : skeleton.arms) {
        addLimb(builder, {arm.shoulder, arm.elbow, arm.wrist}, {kShoulderRadius, kElbowRadius, kWristRadius},
                6, 0.045f, 0.01f);
    }
}

void addHeadAndHands(MeshBuilder& builder, const Skeleton& skeleton) {
    builder.setTextureSlot(kSlotHead);
    TubeStyle head;
    head.segments = 10;
    head.seamAngle = kPi / 2.0f;  // u = 0.25 looks straight ahead, the face's centre
    addEllipsoid(builder, skeleton.head, kHeadRadii, 6, head);

    // The nose: a small tetrahedron that shows which way the keeper looks.
    const Frame& frame = skeleton.head;
    const float front = kHeadRadii.z;
    const int tip = builder.vertex(frame.toWorld({0.0f, -0.015f, front + 0.035f}));
    const int left = builder.vertex(frame.toWorld({0.025f, -0.04f, front - 0.02f}));
    const int right = builder.vertex(frame.toWorld({-0.025f, -0.04f, front - 0.02f}));
    const int bridge = builder.vertex(frame.toWorld({0.0f, 0.02f, front - 0.02f}));
    const Vec3 inside = frame.toWorld({0.0f, -0.02f, front - 0.01f});
    builder.convexTriangle(tip, left, right, kSkinSpot, kSkinSpot, kSkinSpot, inside);
    builder.convexTriangle(tip, right, bridge, kSkinSpot, kSkinSpot, kSkinSpot, inside);
    builder.convexTriangle(tip, bridge, left, kSkinSpot, kSkinSpot, kSkinSpot, inside);
    builder.convexTriangle(left, bridge, right, kSkinSpot, kSkinSpot, kSkinSpot, inside);

    BoxTexturing hand;
    hand.sideSlot = hand.topSlot = hand.bottomSlot = kSlotHead;
    hand.textureSize = 1000.0f;  // the whole hand samples one spot
    hand.offset = kSkinSpot;
    for (const ArmJoints& arm : skeleton.arms) addBox(builder, arm.hand, arm.handHalf, hand);
}

}  // namespace

Model buildKeeper(const KeeperPose& pose) {
    const Skeleton skeleton = buildSkeleton(pose);
    MeshBuilder builder;
    addLegs(builder, skeleton);
    addTorso(builder, skeleton);
    addArms(builder, skeleton);
    addHeadAndHands(builder, skeleton);
    return builder.build();
}

Model buildKeeperWalkFrame(int frame) {
    if (frame <= 0) return buildKeeper(standingPose());
    return buildKeeper(walkingPose(static_cast<float>(frame - 1) / 15.0f));
}

Model buildKeeperPushFrame(int frame) {
    return buildKeeper(pushingPose(static_cast<float>(frame - 1) / 15.0f));
}
