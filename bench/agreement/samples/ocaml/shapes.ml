(** Shapes through a module signature, a functor, and a record of functions. *)

module type SHAPE = sig
  type t
  val name : string
  val area : t -> float
  val perimeter : t -> float
end

module Circle : SHAPE with type t = float = struct
  type t = float
  let name = "circle"
  let area r = Float.pi *. r *. r
  let perimeter r = 2.0 *. Float.pi *. r
end

module Rect : SHAPE with type t = float * float = struct
  type t = float * float
  let name = "rectangle"
  let area (w, h) = w *. h
  let perimeter (w, h) = 2.0 *. (w +. h)
end

module Describe (S : SHAPE) = struct
  let line shape =
    Printf.sprintf "%-10s area %8.2f  perimeter %8.2f" S.name (S.area shape) (S.perimeter shape)
end

module C = Describe (Circle)
module R = Describe (Rect)

(* The same idea with a first-class value instead of modules. *)
type shape = { label : string; area : unit -> float; scale : float -> shape }

let rec circle r = { label = "circle"; area = (fun () -> Circle.area r); scale = (fun k -> circle (r *. k)) }
let rec square s = { label = "square"; area = (fun () -> s *. s); scale = (fun k -> square (s *. k)) }

let largest shapes =
  List.fold_left
    (fun best s -> match best with Some b when b.area () >= s.area () -> best | _ -> Some s)
    None shapes

let describe_all shapes =
  shapes
  |> List.map (fun s -> Printf.sprintf "%s of area %.2f" s.label (s.area ()))
  |> String.concat "; "

let () =
  print_endline (C.line 1.5);
  print_endline (R.line (3.0, 4.0));
  let shapes = [ circle 1.0; square 2.0; (circle 1.0).scale 1.5 ] in
  print_endline (describe_all shapes);
  match largest shapes with
  | Some s -> Printf.printf "largest: %s (%.2f)\n" s.label (s.area ())
  | None -> print_endline "no shapes"
