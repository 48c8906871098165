// How the plane, the ground figures and the storks move in one 5 ms tick. The slow parts of every
// animation step on one tick of eleven (Phase11) or of twenty-one (Phase21), so that the pictures
// change at a steady pace however fast the frames come.

#include "GameMath.h"
#include "Targets.h"

void MovePlane(PlaneRecord& Plane, std::int32_t Phase11) {
  if (Plane.PlaneState == PlaneCondition::ShotDown) Plane.PlaneLabelY -= 1.0 / 6;
  if ((Plane.PlaneState == PlaneCondition::Flying || Plane.PlaneState == PlaneCondition::ShotDown) && Phase11 == 1) {
    Plane.PlaneX += Plane.PlaneDX;
    Plane.PlaneY += Plane.PlaneDY;
    if (++Plane.BannerFrame > BannerFrames) Plane.BannerFrame = 1;
  }
}

void MoveGroundFigures(TargetState& State, std::int32_t Phase11, std::int32_t Phase21) {
  for (int slot = 1; slot <= LiveFigureSlots; ++slot) {
    GroundFigureRecord& figure = State.GroundFigures[slot];
    if (figure.State == FigureLabelOnly && figure.LabelY < -40) {
      figure.State = FigureFree;
      --State.GroundFigureCount;
    }
    // The first hit pictures go fast; the rest follow at the figure's own slow pace below.
    if ((Phase11 == 1 || Phase11 == 5) && figure.State == FigureHit && figure.Frame < 4) ++figure.Frame;
    if (figure.State == FigureHit || figure.State == FigureLabelOnly) figure.LabelY -= 0.5;
    if (Phase21 != 1) continue;

    // Free slots age too; a spawn starts the age again.
    ++figure.Age;
    switch (figure.State) {
      case FigureRising:
        if (figure.Frame < RisingFigureFrames) {
          ++figure.Frame;
        } else {
          figure.Frame = 1;
          figure.State = FigureIdle;
        }
        break;
      case FigureIdle:
        if (++figure.Frame > IdleFigureFrames) figure.Frame = 1;
        break;
      case FigureSinking:
        if (--figure.Frame == 0) {
          figure.State = FigureFree;
          --State.GroundFigureCount;
        }
        break;
      case FigureHit:
        if (figure.Frame > 3 && ++figure.Frame == HitFigureFrames + 1) figure.State = FigureLabelOnly;
        break;
      default:
        break;
    }
    if (figure.Age == 40 && figure.State == FigureIdle) {
      figure.State = FigureSinking;
      figure.Frame = RisingFigureFrames;
    }
  }
}

void MoveTargets(TargetState& State, std::int32_t Kind, std::int32_t Phase11, std::int32_t CameraXInt) {
  for (int slot = 1; slot <= LiveTargetSlots; ++slot) {
    TargetRecord& target = State.Targets[slot];
    if (target.Kind != Kind) continue;
    if (target.State == TargetFalling) {
      if (target.Frame < FallingFrames && Phase11 == 2) ++target.Frame;
      target.LabelY -= 0.5;
      target.Y += (target.Kind + 1) / 3.0;
      target.ScreenX = Round((target.X - CameraXInt) * target.Kind / 5);
      target.ScreenY = Round(target.Y);
    } else if (target.State == TargetFlying) {
      if (Phase11 == 2) ++target.Frame;
      if (target.Frame > LastFlyingFrame) target.Frame = 0;
      target.X += target.DX / 2;
      target.Y += target.DY / 2;
    }
  }
}

void MoveAll(TargetState& State, std::int32_t Phase11, std::int32_t Phase21, std::int32_t CameraXInt) {
  MovePlane(State.Plane, Phase11);
  MoveTargets(State, 1, Phase11, CameraXInt);
  MoveTargets(State, 2, Phase11, CameraXInt);
  MoveTargets(State, 3, Phase11, CameraXInt);
  MoveGroundFigures(State, Phase11, Phase21);
}
