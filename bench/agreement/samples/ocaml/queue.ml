(* A purely functional queue made of two lists, with a signature. *)

module type QUEUE = sig
  type 'a t
  val empty : 'a t
  val is_empty : 'a t -> bool
  val push : 'a -> 'a t -> 'a t
  val pop : 'a t -> ('a * 'a t) option
  val to_list : 'a t -> 'a list
end

module Queue : QUEUE = struct
  type 'a t = { front : 'a list; back : 'a list }

  let empty = { front = []; back = [] }

  let is_empty q = q.front = [] && q.back = []

  (* Keep the front non-empty whenever the queue is not. *)
  let check = function
    | { front = []; back } -> { front = List.rev back; back = [] }
    | q -> q

  let push x q = check { q with back = x :: q.back }

  let pop q =
    match q.front with
    | [] -> None
    | x :: rest -> Some (x, check { q with front = rest })

  let to_list q = q.front @ List.rev q.back
end

type event = Arrive of string * int | Leave of string | Tick

let describe = function
  | Arrive (name, at) when at < 0 -> Printf.sprintf "%s arrives early" name
  | Arrive (name, at) -> Printf.sprintf "%s arrives at %d" name at
  | Leave name -> name ^ " leaves"
  | Tick -> "tick"

let rec drain q acc =
  match Queue.pop q with
  | None -> List.rev acc
  | Some (x, rest) -> drain rest (describe x :: acc)

let () =
  let q = List.fold_left (fun q e -> Queue.push e q) Queue.empty
      [ Arrive ("ann", 3); Tick; Leave "bob"; Arrive ("cy", -1) ] in
  List.iter print_endline (drain q []);
  let total = ref 0 in
  for i = 1 to 10 do
    if i mod 2 = 0 then total := !total + i
  done;
  while !total > 100 do decr total done;
  Printf.printf "%d %b %s %.3f\n" !total (Queue.is_empty Queue.empty) "done\n" 2.5e-1;
  let arr = [| 1; 2; 3 |] in
  Array.iteri (fun i v -> assert (v = i + 1)) arr;
  let lazy_value = lazy (print_endline "forced"; 42) in
  ignore (Lazy.force lazy_value)
